#pragma once

#include <cstdint>
#include <vector>

namespace ime {

class CWinIME;

// Handler, entry and leave results. Besides plain numbers a result may be a state's address
// (StateResult), which a transition row can require, so the type must hold a pointer.
using Result = std::intptr_t;

class In_State;
inline Result StateResult(const In_State* state) {
  return reinterpret_cast<Result>(state);
}

// A row's required result that matches whatever the handler returned.
constexpr Result ANY_RESULT = -2;

class M_Delegate {
 public:
  virtual Result Invoke(int ch, int scan) = 0;
  virtual void Release() = 0;

 protected:
  // Delegates are destroyed only through Release.
  ~M_Delegate() = default;
};

template <class T>
class CKeyDelegate final : public M_Delegate {
 public:
  using Handler = Result (T::*)(int ch, int scan);
  CKeyDelegate(T* target, Handler handler) : target_(target), handler_(handler) {}
  Result Invoke(int ch, int scan) override { return (target_->*handler_)(ch, scan); }
  void Release() override { delete this; }

 private:
  ~CKeyDelegate() = default;
  T* target_;
  Handler handler_;
};

class In_State {
 public:
  In_State() = default;
  In_State(const In_State&) = delete;
  In_State& operator=(const In_State&) = delete;

  virtual int GetStateId() { return -1; }
  virtual Result OnKey(int key, int ch, int scan);
  virtual Result CanHandleKey(int key, int ch, int scan);
  virtual Result OnEnter(In_State* previous);
  virtual Result OnLeave(In_State* next);

  // Replaces any handler registered for exactly [low, high] and appends the new one; ranges
  // that merely overlap stay, and the earlier entry wins.
  void AddHandler(int low, int high, M_Delegate* delegate);

  template <class T>
  void AddHandler(int low, int high, Result (T::*handler)(int, int)) {
    AddHandler(low, high, new CKeyDelegate<T>(static_cast<T*>(this), handler));
  }

  CWinIME* Owner() const { return owner_; }
  void SetOwner(CWinIME* owner) { owner_ = owner; }

 protected:
  // States are owned and destroyed by their concrete type, never through this base.
  ~In_State();

 private:
  struct Entry {
    int low;
    int high;
    M_Delegate* delegate;
  };
  const Entry* FindEntry(int key) const;

  std::vector<Entry> handlers_;
  CWinIME* owner_ = nullptr;
};

// One row of a transition table. Two kinds of rows are markers: InitialRow names the machine's
// first state, EndRow ends the table.
struct TransitionRow {
  In_State* source;
  int low;
  int high;
  Result required;
  In_State* target;
};

// The source that marks the end of a table; no real state has this address.
In_State* EndOfTable();

constexpr TransitionRow InitialRow(In_State* target) {
  return {nullptr, -1, -1, ANY_RESULT, target};
}
inline TransitionRow EndRow() {
  return {EndOfTable(), -1, -1, -1, EndOfTable()};
}

inline bool IsEndRow(const TransitionRow& row) {
  return row.source == EndOfTable();
}

// A real state, as opposed to the two markers.
inline bool IsState(const In_State* state) {
  return state != nullptr && state != EndOfTable();
}

}  // namespace ime
