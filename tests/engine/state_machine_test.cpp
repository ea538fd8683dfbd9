#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ime/engine/key_codes.h"
#include "ime/engine/mach_mage.h"
#include "ime/engine/win_ime.h"
#include "platform/sim/sim_keyboard.h"

namespace {

using ime::CHAIN_KEY;
using ime::In_State;
using ime::Result;
using ime::TransitionRow;

// A state that logs what happens to it and returns scripted results.
class ScriptedState final : public In_State {
 public:
  ScriptedState(std::string name, std::vector<std::string>& log)
      : name_(std::move(name)), log_(log) {}

  Result OnEnter(In_State* previous) override {
    log_.push_back(name_ + ".enter(" + (previous ? "state" : "none") + ")");
    return enterResult;
  }
  Result OnLeave(In_State*) override {
    log_.push_back(name_ + ".leave");
    return -1;
  }
  Result Take(int ch, int) {
    log_.push_back(name_ + ".take(" + std::to_string(ch) + ")");
    return handlerResult;
  }
  Result Other(int, int) {
    log_.push_back(name_ + ".other");
    return handlerResult;
  }

  Result enterResult = -1;
  Result handlerResult = 0;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

class CountingDelegate final : public ime::M_Delegate {
 public:
  explicit CountingDelegate(int& releases) : releases_(releases) {}
  Result Invoke(int, int) override { return 7; }
  void Release() override {
    ++releases_;
    delete this;
  }

 private:
  ~CountingDelegate() = default;
  int& releases_;
};

class MachMageTest : public ::testing::Test {
 protected:
  platform::SimKeyboard keyboard;
  ime::CMachMage<ime::CWinIME> engine{keyboard};
  std::vector<std::string> log;
  ScriptedState a{"a", log};
  ScriptedState b{"b", log};
  ScriptedState c{"c", log};
};

constexpr int kKey = 0x41;

TEST_F(MachMageTest, RefusesTablesWithoutAnInitialState) {
  const TransitionRow empty[] = {ime::EndRow()};
  const TransitionRow noInitial[] = {{&a, kKey, kKey, ime::ANY_RESULT, &b}, ime::EndRow()};
  EXPECT_EQ(engine.AddMachine(empty), -1);
  EXPECT_EQ(engine.AddMachine(noInitial), -1);
  EXPECT_EQ(a.Owner(), nullptr);
  EXPECT_EQ(b.Owner(), nullptr);
  EXPECT_TRUE(log.empty());
}

TEST_F(MachMageTest, RegisteringEntersTheLastInitialStateAndOwnsEveryState) {
  const TransitionRow table[] = {ime::InitialRow(&c),
                                 {&a, kKey, kKey, ime::ANY_RESULT, &b},
                                 ime::InitialRow(&a),
                                 ime::EndRow()};
  EXPECT_EQ(engine.AddMachine(table), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"a.enter(none)"}));
  EXPECT_EQ(engine.CurrentState(1), &a);
  EXPECT_EQ(a.Owner(), &engine);
  EXPECT_EQ(b.Owner(), &engine);
  EXPECT_EQ(c.Owner(), &engine);
  const TransitionRow second[] = {ime::InitialRow(&b), ime::EndRow()};
  EXPECT_EQ(engine.AddMachine(second), 2);
}

TEST_F(MachMageTest, HandlerResultsDecideTransitionsAndMinusOneNeverMatches) {
  a.AddHandler(kKey, kKey, &ScriptedState::Take);
  const TransitionRow table[] = {
      ime::InitialRow(&a), {&a, kKey, kKey, 5, &b}, {&a, kKey, kKey, -1, &c}, ime::EndRow()};
  engine.AddMachine(table);
  a.handlerResult = -1;
  EXPECT_EQ(engine.ProcessKey(kKey, 'A', 0x1E), ime::RC_HANDLED);
  EXPECT_EQ(engine.CurrentState(1), &a);
  a.handlerResult = 5;
  EXPECT_EQ(engine.ProcessKey(kKey, 'A', 0x1E), ime::RC_HANDLED_SWITCHED);
  EXPECT_EQ(engine.CurrentState(1), &b);
  EXPECT_EQ(log, (std::vector<std::string>{"a.enter(none)", "a.take(65)", "a.take(65)", "a.leave",
                                           "b.enter(state)"}));
}

TEST_F(MachMageTest, AnyResultRowsFireWithoutAHandler) {
  const TransitionRow table[] = {
      ime::InitialRow(&a),
      {&a, ime::EV_SLEEP_INPUT, ime::EV_SLEEP_INPUT, ime::ANY_RESULT, &b},
      ime::EndRow()};
  engine.AddMachine(table);
  EXPECT_EQ(engine.TestKey(ime::EV_SLEEP_INPUT, 0, 0), ime::RC_SWITCHED);
  EXPECT_EQ(engine.CurrentState(1), &a);  // testing changes nothing
  EXPECT_EQ(engine.ProcessKey(ime::EV_SLEEP_INPUT, 0, 0), ime::RC_SWITCHED);
  EXPECT_EQ(engine.CurrentState(1), &b);
  EXPECT_EQ(engine.ProcessKey(ime::EV_WAKE_INPUT, 0, 0), ime::RC_UNHANDLED);
}

TEST_F(MachMageTest, TransientStatesPassOnThroughChainRows) {
  a.AddHandler(kKey, kKey, &ScriptedState::Take);
  b.enterResult = 1;  // b is transient: entering it moves on at once
  const TransitionRow table[] = {ime::InitialRow(&a),
                                 {&a, kKey, kKey, ime::ANY_RESULT, &b},
                                 {&b, CHAIN_KEY, CHAIN_KEY, 2, &a},
                                 {&b, CHAIN_KEY, CHAIN_KEY, 1, &c},
                                 {&c, kKey, kKey, ime::ANY_RESULT, &a},
                                 ime::EndRow()};
  engine.AddMachine(table);
  c.enterResult = 9;  // no chain row of c requires 9: the chain stops in c
  EXPECT_EQ(engine.ProcessKey(kKey, 'A', 0), ime::RC_HANDLED_SWITCHED);
  EXPECT_EQ(engine.CurrentState(1), &c);
  EXPECT_EQ(log, (std::vector<std::string>{"a.enter(none)", "a.take(65)", "a.leave",
                                           "b.enter(state)", "b.leave", "c.enter(state)"}));
}

TEST_F(MachMageTest, ChainsEndWhenEnteringReturnsMinusOne) {
  // A -2 chain row would match anything, but a -1 from OnEnter stops the walk first.
  const TransitionRow table[] = {ime::InitialRow(&a),
                                 {&a, kKey, kKey, ime::ANY_RESULT, &b},
                                 {&b, CHAIN_KEY, CHAIN_KEY, ime::ANY_RESULT, &c},
                                 ime::EndRow()};
  engine.AddMachine(table);
  EXPECT_EQ(engine.ProcessKey(kKey, 0, 0), ime::RC_SWITCHED);
  EXPECT_EQ(engine.CurrentState(1), &b);
}

TEST_F(MachMageTest, ChainsThatNeverSettleStillReturn) {
  a.enterResult = 1;
  b.enterResult = 1;
  const TransitionRow table[] = {ime::InitialRow(&c),
                                 {&c, kKey, kKey, ime::ANY_RESULT, &a},
                                 {&a, CHAIN_KEY, CHAIN_KEY, 1, &b},
                                 {&b, CHAIN_KEY, CHAIN_KEY, 1, &a},
                                 ime::EndRow()};
  engine.AddMachine(table);
  EXPECT_EQ(engine.ProcessKey(kKey, 0, 0), ime::RC_SWITCHED);
  EXPECT_TRUE(engine.CurrentState(1) == &a || engine.CurrentState(1) == &b);
}

TEST_F(MachMageTest, RowsMayRequireAState) {
  // A sleeping state answers with the state it remembers; rows send the machine back there.
  a.AddHandler(kKey, kKey, &ScriptedState::Take);
  a.handlerResult = ime::StateResult(&c);
  const TransitionRow table[] = {ime::InitialRow(&a),
                                 {&a, kKey, kKey, ime::StateResult(&b), &b},
                                 {&a, kKey, kKey, ime::StateResult(&c), &c},
                                 ime::EndRow()};
  engine.AddMachine(table);
  EXPECT_EQ(engine.ProcessKey(kKey, 0, 0), ime::RC_HANDLED_SWITCHED);
  EXPECT_EQ(engine.CurrentState(1), &c);
}

TEST_F(MachMageTest, TheFirstMachineThatReactsKeepsTheKey) {
  a.AddHandler(kKey, kKey, &ScriptedState::Take);
  b.AddHandler(kKey, 0x5A, &ScriptedState::Take);
  const TransitionRow first[] = {ime::InitialRow(&a), ime::EndRow()};
  const TransitionRow second[] = {ime::InitialRow(&b), ime::EndRow()};
  engine.AddMachine(first);
  engine.AddMachine(second);
  log.clear();
  EXPECT_EQ(engine.ProcessKey(kKey, 'a', 0), ime::RC_HANDLED);
  EXPECT_EQ(engine.ProcessKey(0x42, 'b', 0), ime::RC_HANDLED);
  EXPECT_EQ(log, (std::vector<std::string>{"a.take(97)", "b.take(98)"}));
  EXPECT_EQ(engine.TestKey(kKey, 0, 0), ime::RC_HANDLED);
  EXPECT_EQ(log.size(), 2u);  // testing calls no handler
}

TEST_F(MachMageTest, UntakenDeleteBecomesABackspacePress) {
  const TransitionRow table[] = {ime::InitialRow(&a), ime::EndRow()};
  engine.AddMachine(table);
  EXPECT_EQ(engine.TestKey(ime::KC_D, 8, 0x53), ime::RC_HANDLED);
  EXPECT_TRUE(keyboard.injected().empty());
  EXPECT_EQ(engine.ProcessKey(ime::KC_D, 8, 0x53), ime::RC_HANDLED);
  using Injected = platform::SimKeyboard::Injected;
  EXPECT_EQ(keyboard.injected(), (std::vector<Injected>{{8, false}, {8, true}}));
  a.AddHandler(ime::KC_D, ime::KC_D, &ScriptedState::Take);
  EXPECT_EQ(engine.ProcessKey(ime::KC_D, 8, 0x53), ime::RC_HANDLED);
  EXPECT_EQ(keyboard.injected().size(), 2u);  // a state took it: no second Backspace
}

TEST_F(MachMageTest, SwitchStateNeedsAMachineAndATarget) {
  const TransitionRow table[] = {ime::InitialRow(&a), ime::EndRow()};
  const int id = engine.AddMachine(table);
  EXPECT_EQ(engine.SwitchState(id + 1, &b), -1);
  EXPECT_EQ(engine.SwitchState(id, nullptr), -1);
  EXPECT_EQ(engine.CurrentState(id), &a);
  b.enterResult = 4;
  EXPECT_EQ(engine.SwitchState(id, &b), 4);
  EXPECT_EQ(engine.CurrentState(id), &b);
}

TEST(InStateTest, ReRegisteringARangeReplacesItsDelegateAndOverlapsKeepTheFirst) {
  std::vector<std::string> log;
  ScriptedState s("s", log);
  int releases = 0;
  s.AddHandler(10, 20, new CountingDelegate(releases));
  s.AddHandler(15, 30, &ScriptedState::Other);
  EXPECT_EQ(s.OnKey(16, 1, 0), 7);  // overlapping: the earlier entry wins
  s.AddHandler(10, 20, &ScriptedState::Take);
  EXPECT_EQ(releases, 1);
  EXPECT_EQ(s.OnKey(12, 3, 0), 0);
  EXPECT_EQ(s.OnKey(16, 4, 0), 0);  // the replacement went to the end: 15..30 now comes first
  EXPECT_EQ(log, (std::vector<std::string>{"s.take(3)", "s.other"}));
  EXPECT_EQ(s.CanHandleKey(30, 0, 0), ime::RC_HANDLED);
  EXPECT_EQ(s.CanHandleKey(31, 0, 0), ime::RC_UNHANDLED);
  EXPECT_EQ(s.OnKey(31, 0, 0), ime::RC_UNHANDLED);
}

}  // namespace
