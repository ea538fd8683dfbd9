#pragma once

#include <map>
#include <utility>

#include "ime/engine/key_codes.h"
#include "ime/engine/state_machine.h"

namespace ime {

// Runs every key through the registered machines in the order they were added; the first
// machine that reacts keeps the key.
template <class Base>
class CMachMage : public Base {
 public:
  using Base::Base;

  // Registers a machine over `table` (ended by EndRow) and enters its initial state. Returns the
  // machine id, or -1 when the table is empty or names no initial state.
  int AddMachine(const TransitionRow* table) {
    if (IsEndRow(table[0])) return -1;
    In_State* initial = nullptr;
    for (const TransitionRow* row = table; !IsEndRow(*row); ++row) {
      if (row->source == nullptr) initial = row->target;
    }
    if (!IsState(initial)) return -1;
    for (const TransitionRow* row = table; !IsEndRow(*row); ++row) {
      if (IsState(row->source)) row->source->SetOwner(this);
      if (IsState(row->target)) row->target->SetOwner(this);
    }
    const int id = nextId_++;
    machines_.emplace(id, Machine{initial, table});
    initial->OnEnter(nullptr);
    return id;
  }

  int TestKey(int key, int ch, int scan) override {
    for (auto& [id, machine] : machines_) {
      int result = RC_UNHANDLED;
      const Result r = machine.current->CanHandleKey(key, ch, scan);
      if (r != RC_UNHANDLED) result |= kHandledBit;
      if (FindRow(machine, key, r) != nullptr) return result | kSwitchedBit;
      if (result != RC_UNHANDLED) return result;
    }
    return Base::TestKey(key, ch, scan);
  }

  int ProcessKey(int key, int ch, int scan) override {
    for (auto& [id, machine] : machines_) {
      int result = RC_UNHANDLED;
      Result r = machine.current->OnKey(key, ch, scan);
      if (r != RC_UNHANDLED) result |= kHandledBit;
      int lookup = key;
      // A table whose states keep passing each other on would otherwise hang the host program.
      for (int chained = 0; chained < kMaxChain; ++chained) {
        const TransitionRow* match = FindRow(machine, lookup, r);
        if (match == nullptr) break;
        result |= kSwitchedBit;
        r = SwitchState(id, match->target);
        if (r == -1) break;
        lookup = CHAIN_KEY;
      }
      if (result != RC_UNHANDLED) return result;
    }
    return Base::ProcessKey(key, ch, scan);
  }

  // Leaves the machine's current state for `target` and returns what entering it returned, or
  // -1 when there is no such machine or no target.
  virtual Result SwitchState(int id, In_State* target) {
    auto found = machines_.find(id);
    if (found == machines_.end() || !IsState(target)) return -1;
    In_State* previous = found->second.current;
    previous->OnLeave(target);
    found->second.current = target;
    return target->OnEnter(previous);
  }

  // The state machine `id` rests in, or null.
  In_State* CurrentState(int id) const {
    auto found = machines_.find(id);
    return found == machines_.end() ? nullptr : found->second.current;
  }

 private:
  struct Machine {
    In_State* current;
    const TransitionRow* table;
  };

  // Added to RC_UNHANDLED (-16, 0b...110000) these bits give the other three results.
  static constexpr int kHandledBit = 1;
  static constexpr int kSwitchedBit = 2;
  static constexpr int kMaxChain = 64;

  static bool Matches(Result required, Result r) {
    return required == ANY_RESULT || (required == r && required != -1);
  }

  static const TransitionRow* FindRow(const Machine& machine, int key, Result r) {
    for (const TransitionRow* row = machine.table; !IsEndRow(*row); ++row) {
      if (row->source == machine.current && row->low <= key && key <= row->high &&
          Matches(row->required, r)) {
        return row;
      }
    }
    return nullptr;
  }

  std::map<int, Machine> machines_;
  int nextId_ = 1;
};

}  // namespace ime
