#include "ime/engine/state_machine.h"

#include <algorithm>

#include "ime/engine/key_codes.h"

namespace ime {

In_State::~In_State() {
  for (Entry& entry : handlers_) entry.delegate->Release();
}

const In_State::Entry* In_State::FindEntry(int key) const {
  for (const Entry& entry : handlers_) {
    if (entry.low <= key && key <= entry.high) return &entry;
  }
  return nullptr;
}

Result In_State::OnKey(int key, int ch, int scan) {
  const Entry* entry = FindEntry(key);
  return entry ? entry->delegate->Invoke(ch, scan) : RC_UNHANDLED;
}

Result In_State::CanHandleKey(int key, int, int) {
  return FindEntry(key) ? RC_HANDLED : RC_UNHANDLED;
}

Result In_State::OnEnter(In_State*) {
  return -1;
}

Result In_State::OnLeave(In_State*) {
  return -1;
}

void In_State::AddHandler(int low, int high, M_Delegate* delegate) {
  std::erase_if(handlers_, [&](const Entry& entry) {
    if (entry.low != low || entry.high != high) return false;
    entry.delegate->Release();
    return true;
  });
  handlers_.push_back({low, high, delegate});
}

namespace {
class EndMarker final : public In_State {};
}  // namespace

In_State* EndOfTable() {
  static EndMarker marker;
  return &marker;
}

}  // namespace ime
