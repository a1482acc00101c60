#include "protocol/command.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "protocol/shutdown_request.h"
#include "support/fake_clock.h"
#include "support/recording_host.h"
#include "support/scripted_line.h"

namespace cct {
namespace {

using test::FakeClock;
using test::RecordingHost;
using test::ScriptedLine;

class CommandTest : public ::testing::Test {
 protected:
  FakeClock clock;
  ScriptedLine line{clock};
  RecordingHost host;
  Timing timing;
  Command command{line, host, clock, timing};
};

// --- building lines ---------------------------------------------------------

TEST_F(CommandTest, FormatsWritesAndQueries) {
  CommandValue v;
  v.integer = -133;
  EXPECT_EQ(command.FormatWrite(kCmdBL, v, true), "BL=-133\r\n");
  EXPECT_EQ(command.FormatWrite(kCmdBL, v, false), "BL=-133");
  v.text = "A b=c,d";
  EXPECT_EQ(command.FormatWrite(kCmdUD, v, true), "UD=A b=c,d\r\n");
  EXPECT_EQ(command.FormatQuery(kCmdTMPS0, true), "TMPS0?\r\n");
  EXPECT_EQ(command.FormatQuery(kCmdTMPS0, false), "TMPS0?");
}

TEST_F(CommandTest, SendTextTreatsAnyCommandAsTextForOneExchange) {
  line.Answer("GA=abc\r\n", "COMPLETE\r\n");
  EXPECT_TRUE(command.SendText(kCmdGA, "abc", 1000));
  EXPECT_EQ(TheCommandTable().KindOf(kCmdGA), kKindInteger);  // restored
  // The kind is restored also when the exchange fails.
  EXPECT_FALSE(command.SendText(kCmdGA, "xyz", 100));
  EXPECT_EQ(TheCommandTable().KindOf(kCmdGA), kKindInteger);
  // SendValue on a text command sends the mnemonic and "=" only.
  line.Answer("MD=\r\n", "COMPLETE\r\n");
  EXPECT_TRUE(command.SendValue(kCmdMD, 5, 1000));
  EXPECT_EQ(line.written.back(), "MD=\r\n");
}

// --- the write exchange -----------------------------------------------------

TEST_F(CommandTest, WriteSucceedsOnlyOnLeadingComplete) {
  struct Case {
    const char* answer;
    bool ok;
  } cases[] = {{"COMPLETE\r\n", true},
               {"COMPLETE: GA set\r\n", true},
               {" COMPLETE\r\n", false},
               {"complete\r\n", false},
               {"ERROR: out of range\r\n", false}};
  for (const Case& c : cases) {
    host.boxes.clear();
    host.onlineStates.clear();
    line.Answer("GA=200\r\n", c.answer);
    EXPECT_EQ(command.SendValue(kCmdGA, 200, 1000), c.ok) << c.answer;
    ASSERT_EQ(host.onlineStates, std::vector<bool>{true}) << c.answer;
    EXPECT_EQ(host.busyDepth, 0);
    if (c.ok) {
      EXPECT_TRUE(host.boxes.empty());
    } else {
      ASSERT_EQ(host.boxes.size(), 1u);
      std::string shown(c.answer);
      EXPECT_EQ(host.boxes[0].text, shown.substr(0, shown.size() - 2));
      EXPECT_EQ(host.boxes[0].caption, "Communication Error");
      EXPECT_EQ(host.boxes[0].icon, MsgIcon::Warning);
    }
  }
}

TEST_F(CommandTest, AnswerEndingInBareLfLosesItsLastCharacter) {
  line.Answer("GA=200\r\n", "COMPLETE\n");
  EXPECT_FALSE(command.SendValue(kCmdGA, 200, 1000));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "COMPLET");
}

TEST_F(CommandTest, FailedWriteReturnsAtOnceWithoutMessage) {
  line.writeResult = false;
  EXPECT_FALSE(command.SendValue(kCmdGA, 200, 1000));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_TRUE(host.onlineStates.empty());
  EXPECT_EQ(line.reads, 0);
}

TEST_F(CommandTest, SilenceTimesOutOfflineWithoutMessageIn20MsSteps) {
  const uint32_t start = clock.now;
  EXPECT_FALSE(command.SendValue(kCmdGA, 200, 500));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(host.onlineStates, std::vector<bool>{false});
  EXPECT_EQ(host.busyDepth, 0);
  EXPECT_EQ(host.busyCount, 1);
  for (uint32_t s : clock.sleeps) EXPECT_EQ(s, 20u);
  // Each step sleeps 20 ms and reads for 10 ms; the limit ends the wait
  // within one step of passing.
  EXPECT_GE(clock.now - start, 500u);
  EXPECT_LT(clock.now - start, 500u + 30u);
}

TEST_F(CommandTest, LimitSpanningTheTickWrapStillExpiresOnTime) {
  FakeClock late(0xFFFFFFFFu - 50);
  ScriptedLine quiet(late);
  Command c(quiet, host, late, timing);
  const uint32_t start = late.now;
  EXPECT_FALSE(c.SendValue(kCmdGA, 200, 200));
  const uint32_t elapsed = late.now - start;  // unsigned: correct across the wrap
  EXPECT_GE(elapsed, 200u);
  EXPECT_LT(elapsed, 230u);
  EXPECT_LT(late.now, 1000u);  // the counter did wrap
}

TEST_F(CommandTest, AnswerArrivingJustBeforeTheDecisiveCheckIsAccepted) {
  // Checks fall at 30, 60, 90, 120 ms; an answer at 95 ms is read at the
  // step that starts at 110 ms, after the limit of 100 ms has passed.
  line.Answer("GA=200\r\n", "COMPLETE\r\n", 95);
  EXPECT_TRUE(command.SendValue(kCmdGA, 200, 100));
  // One arriving after that check is too late.
  line.Answer("GA=300\r\n", "COMPLETE\r\n", 125);
  EXPECT_FALSE(command.SendValue(kCmdGA, 300, 100));
}

// --- the query exchange -----------------------------------------------------

TEST_F(CommandTest, QueriesReturnValuesAndSetOnline) {
  line.Answer("GA?\r\n", "GA = 100\r\n");
  int32_t gain = 0;
  EXPECT_TRUE(command.QueryValue(kCmdGA, gain, 1000));
  EXPECT_EQ(gain, 100);
  line.Answer("MD?\r\n", "MD=QX-2080L-VRTN\r\n");
  std::string model;
  EXPECT_TRUE(command.QueryText(kCmdMD, model, 1000));
  EXPECT_EQ(model, "QX-2080L-VRTN");
  EXPECT_EQ(host.onlineStates, (std::vector<bool>{true, true}));
  EXPECT_EQ(host.busyCount, 0);  // queries show no busy cursor
  // Text queries of integer commands succeed with an empty text.
  std::string text = "old";
  EXPECT_TRUE(command.QueryText(kCmdGA, text, 1000));
  EXPECT_EQ(text, "");
}

TEST_F(CommandTest, QueryAnsweredForAnotherCommandFailsWithBothLines) {
  struct Case {
    const char* answer;
    const char* shown;
  } cases[] = {
      {"BL=5\r\n", "BL=5 for GA?"}, {"GA 100\r\n", "GA100 for GA?"}, {"XX=1\r\n", "XX=1 for GA?"}};
  for (const Case& c : cases) {
    host.boxes.clear();
    host.onlineStates.clear();
    line.Answer("GA?\r\n", c.answer);
    int32_t value = 7;
    EXPECT_FALSE(command.QueryValue(kCmdGA, value, 1000));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, c.shown);
    EXPECT_EQ(host.boxes[0].caption, "Communication Error");
    EXPECT_TRUE(host.onlineStates.empty());  // indicator unchanged
  }
}

TEST_F(CommandTest, SilentQueryTimesOutOffline) {
  int32_t value = 0;
  EXPECT_FALSE(command.QueryValue(kCmdGA, value, 300));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(host.onlineStates, std::vector<bool>{false});
  EXPECT_EQ(line.written, std::vector<std::string>{"GA?\r\n"});
}

TEST_F(CommandTest, QueryOfCommandWithoutMnemonicSendsNothing) {
  int32_t value = 0;
  EXPECT_FALSE(command.QueryValue(200, value, 300));
  EXPECT_TRUE(line.written.empty());
}

// --- receiving --------------------------------------------------------------

TEST_F(CommandTest, LongAnswersArriveIntact) {
  const std::string id(40, 'K');
  line.Answer("ID?\r\n", "ID=" + id + "\r\n");
  std::string text;
  EXPECT_TRUE(command.QueryText(kCmdID, text, 1000));
  EXPECT_EQ(text, id);
}

TEST_F(CommandTest, OneReadLineQueuesAtMostOneLineAndKeepsPartialLines) {
  line.Arrive("A=1\r\nB=2\r\nC=");
  EXPECT_TRUE(command.ReadLine(true));
  EXPECT_EQ(command.QueuedLines(), 1u);
  EXPECT_TRUE(command.ReadLine(true));
  EXPECT_FALSE(command.ReadLine(true));
  EXPECT_EQ(command.FillPosition(), 2);
  line.Arrive("3\r\n\n");
  EXPECT_TRUE(command.ReadLine(true));
  EXPECT_TRUE(command.ReadLine(true));  // LF alone: an empty line
  EXPECT_EQ(command.TakeLine(), "A=1");
  EXPECT_EQ(command.TakeLine(), "B=2");
  EXPECT_EQ(command.TakeLine(), "C=3");
  EXPECT_EQ(command.TakeLine(), "");
  EXPECT_EQ(command.QueuedLines(), 0u);
  EXPECT_EQ(host.terminal, (std::vector<std::string>{"Rx: A=1", "Rx: B=2", "Rx: C=3", "Rx: "}));
  EXPECT_EQ(host.messages, (std::vector<std::string>{"A=1", "B=2", "C=3", ""}));
}

TEST_F(CommandTest, OverflowAt1024BytesWithoutLf) {
  line.Arrive(std::string(1022, 'x') + "\r\n");
  EXPECT_TRUE(command.ReadLine(true));
  EXPECT_EQ(command.TakeLine().size(), 1022u);
  EXPECT_TRUE(host.boxes.empty());

  line.Arrive(std::string(1024, 'y') + "z\r\n");
  EXPECT_FALSE(command.ReadLine(true));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "RS-232C receiving buffer overflowed");
  EXPECT_EQ(host.boxes[0].caption, "Communication Error");
  EXPECT_EQ(command.FillPosition(), 0);
  // The buffer restarts empty: what follows is read as a new line.
  EXPECT_TRUE(command.ReadLine(true));
  EXPECT_EQ(command.TakeLine(), "z");
}

TEST_F(CommandTest, PollingDuringAnOverflowBoxLeavesTheBufferAlone) {
  // A modal box runs the polling timer; it must not write into the buffer
  // the exchange is using, nor beyond its end.
  int polls = 0;
  host.duringBox = [&] {
    ++polls;
    command.OnPollTimer();
  };
  line.Answer("GA?\r\n", std::string(1100, 'y') + "\r\n");
  int32_t value = 0;
  EXPECT_FALSE(command.QueryValue(kCmdGA, value, 200));
  EXPECT_GE(polls, 1);
  EXPECT_EQ(host.boxes[0].text, "RS-232C receiving buffer overflowed");
}

TEST_F(CommandTest, UnsolicitedLinesAreLoggedByPollingAndDiscardedByTheNextExchange) {
  struct ManualTimer : PollingTimer {
    void Start(uint32_t periodMs, std::function<void()> onTick) override {
      period = periodMs;
      tick = std::move(onTick);
    }
    uint32_t period = 0;
    std::function<void()> tick;
  } timer;
  command.StartPolling(timer);
  EXPECT_EQ(timer.period, 25u);

  line.Arrive("EVENT=1\r\n");
  for (int i = 0; i < 12; ++i) timer.tick();
  EXPECT_EQ(host.terminal, std::vector<std::string>{"Rx: EVENT=1"});
  EXPECT_EQ(host.messages, std::vector<std::string>{"EVENT=1"});
  EXPECT_EQ(command.QueuedLines(), 1u);

  line.Answer("GA?\r\n", "GA=300\r\n");
  int32_t value = 0;
  EXPECT_TRUE(command.QueryValue(kCmdGA, value, 1000));
  EXPECT_EQ(value, 300);
  EXPECT_EQ(command.QueuedLines(), 0u);
}

TEST_F(CommandTest, AnIdlePollReadsNothingAndAFloodKeepsOnlyTheNewestLines) {
  // Nothing there: no read, no wait.
  const uint32_t start = clock.now;
  for (int i = 0; i < 40; ++i) command.OnPollTimer();
  EXPECT_EQ(line.reads, 0);
  EXPECT_EQ(clock.now, start);

  // A camera that chatters long lines between exchanges.
  const std::string chatter = "EVENT=" + std::string(994, 'x') + "\r\n";
  for (int i = 0; i < 500; ++i) {
    line.Arrive(chatter);
    command.OnPollTimer();
  }
  EXPECT_LE(command.QueuedLines(), Command::kQueueMaxLines);
  EXPECT_LE(command.QueuedBytes(), Command::kQueueMaxBytes);
  EXPECT_GE(command.QueuedLines(), 10u);
  EXPECT_EQ(host.terminal.size(), 500u);  // every one was still logged

  line.Answer("GA?\r\n", "GA=300\r\n");
  int32_t value = 0;
  EXPECT_TRUE(command.QueryValue(kCmdGA, value, 1000));
  EXPECT_EQ(command.QueuedBytes(), 0u);
}

TEST_F(CommandTest, AfterAShutdownRequestNothingIsSentOrAwaited) {
  RequestShutdown();
  int32_t value = 0;
  EXPECT_FALSE(command.SendValue(kCmdGA, 100, 5000));
  EXPECT_TRUE(command.LastTimedOut());
  EXPECT_FALSE(command.QueryValue(kCmdGA, value, 5000));
  EXPECT_TRUE(line.written.empty());
  ClearShutdownRequest();
}

// --- parsing ----------------------------------------------------------------

TEST_F(CommandTest, ParsesIntegerRepliesLikeTheCameraWritesThem) {
  struct Case {
    const char* line;
    int32_t value;
  } cases[] = {{"BL=&HFF", 255},
               {"BL=&Hff", 255},
               {"BL=12abc", 12},
               {"BL=", 0},
               {"BL=-133", -133},
               {"BL=+7", 7},
               {"B L = 4 2\r\n", 42},
               {"BL=&HFFFFFFFF", -1},
               {"BL=99999999999", 2147483647},
               {"BL=-99999999999", -2147483647 - 1}};
  for (const Case& c : cases) {
    Reply reply;
    EXPECT_TRUE(command.ParseReply(c.line, reply)) << c.line;
    EXPECT_EQ(reply.value.integer, c.value) << c.line;
    EXPECT_EQ(reply.commandId, kCmdBL);
    EXPECT_EQ(reply.error, 0);
  }
}

TEST_F(CommandTest, ParsesOperatorsValueCountsAndErrors) {
  Reply reply;
  EXPECT_TRUE(command.ParseReply("GA=100,5", reply));
  EXPECT_EQ(reply.valueCount, 2);
  EXPECT_EQ(reply.firstText, "100");
  EXPECT_EQ(reply.secondText, "5");
  EXPECT_EQ(reply.firstInteger, 100);
  EXPECT_EQ(reply.value.integer, 100);

  EXPECT_TRUE(command.ParseReply("MD?", reply));
  EXPECT_EQ(reply.op, "?");
  EXPECT_EQ(reply.valueCount, 0);
  EXPECT_TRUE(command.ParseReply("MD?x", reply));
  EXPECT_EQ(reply.valueCount, 1);

  // "=" wins over an earlier "?".
  EXPECT_FALSE(command.ParseReply("ID?=abc", reply));
  EXPECT_EQ(reply.mnemonic, "ID?");

  EXPECT_FALSE(command.ParseReply("COMPLETE", reply));
  EXPECT_EQ(reply.error, 1);
  EXPECT_FALSE(command.ParseReply("ga=100", reply));
  EXPECT_EQ(reply.commandId, -1);
  EXPECT_EQ(reply.error, 1);

  // Text commands keep their value text as it came, less spaces.
  EXPECT_TRUE(command.ParseReply("MD=QX 2040L-RTN", reply));
  EXPECT_EQ(reply.value.kind, kKindText);
  EXPECT_EQ(reply.value.text, "QX2040L-RTN");
}

TEST_F(CommandTest, ParseReplyFieldsLeavesOutputsAloneOnFailure) {
  int id = -5;
  std::string mnemonic = "keep";
  int32_t integer = 9;
  std::string text = "keep";
  EXPECT_FALSE(command.ParseReplyFields("nothing here", id, mnemonic, integer, text));
  EXPECT_EQ(id, -5);
  EXPECT_EQ(mnemonic, "keep");
  EXPECT_EQ(integer, 9);
  EXPECT_TRUE(command.ParseReplyFields("GA=6400", id, mnemonic, integer, text));
  EXPECT_EQ(id, kCmdGA);
  EXPECT_EQ(mnemonic, "GA");
  EXPECT_EQ(integer, 6400);
}

}  // namespace
}  // namespace cct

namespace cct {
namespace {

// --- a camera that says more than it is asked -------------------------------

class CommandFaultTest : public CommandTest {};

// Whatever came before a command is listed as received and never taken for
// its answer; a line the camera is still sending is read to its end first.
TEST_F(CommandFaultTest, InputWaitingBeforeACommandIsNeverItsAnswer) {
  struct Case {
    const char* waiting;  // arrived before the command
    const char* rest;     // the rest of a line begun before it, 5 ms later
    bool write;           // GA=200 rather than GA?
    const char* answer;
    bool ok;
    const char* listed;  // the waiting line, as the message list shows it
  };
  const Case cases[] = {
      {"EVENT=1\r\n", "", false, "GA=100\r\n", true, "EVENT=1"},
      {"COMPLETE\r\n", "", true, "ERROR: out of range\r\n", false, "COMPLETE"},
      {"EVE", "NT=2\r\n", false, "GA=100\r\n", true, "EVENT=2"},
      {"GA=1", "", false, "GA=100\r\n", true, "GA=1"},  // never ends: listed as it is
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.waiting);
    FakeClock clock;
    ScriptedLine line{clock};
    RecordingHost host;
    Command command{line, host, clock, timing};
    line.Arrive(c.waiting);
    line.Arrive(c.rest, 5);
    line.Answer(c.write ? "GA=200\r\n" : "GA?\r\n", c.answer);
    int32_t value = 0;
    const bool ok =
        c.write ? command.SendValue(kCmdGA, 200, 1000) : command.QueryValue(kCmdGA, value, 1000);
    EXPECT_EQ(ok, c.ok);
    if (!c.write) {
      EXPECT_EQ(value, 100);
    }
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.front(), c.listed);
    EXPECT_EQ(host.terminal.front(), std::string("Rx: ") + c.listed);
  }
}

// A stream without line ends (a wrong rate, noise) shows the overflow box
// once; a line end or a quiet second makes the next overflow news again.
TEST_F(CommandFaultTest, AStreamWithoutLineEndsRaisesOneBoxPerRun) {
  const std::string block(Command::kBufferSize, 'x');
  auto readAll = [&] {
    while (command.ReadLine(true)) {
    }
  };
  line.Arrive(block + block + block);
  for (int i = 0; i < 3; ++i) readAll();
  EXPECT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(
      std::count(host.messages.begin(), host.messages.end(), "RS-232C receiving buffer overflowed"),
      2);
  line.Arrive("GA=1\r\n" + block);
  for (int i = 0; i < 2; ++i) readAll();
  EXPECT_EQ(host.boxes.size(), 2u);
  clock.Advance(1000);
  line.Arrive(block);
  readAll();
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_EQ(host.boxes[2].text, "RS-232C receiving buffer overflowed");
}

// A peer trickling bytes without a line end cannot stretch an exchange, nor
// hold a look between exchanges, past its limit.
TEST_F(CommandFaultTest, ATrickleWithoutLineEndKeepsTheLimits) {
  for (uint32_t t = 0; t < 20000; t += 9) line.Arrive("x", t);
  uint32_t start = clock.now;
  EXPECT_FALSE(command.SendValue(kCmdGA, 200, 1000));
  // The line begun before the command is waited for a little, then the
  // exchange's own limit holds.
  EXPECT_LT(clock.now - start, 100u + 1000u + 40u);
  start = clock.now;
  command.ReadLine(true);
  EXPECT_LT(clock.now - start, timing.pollingPeriodMs + 20u);
}

// With the wait on the line's input an exchange ends as its answer's line
// end arrives, and a line the camera adds after the answer is read off
// before the next command instead of answering it.
TEST_F(CommandFaultTest, AtLineEndTheAnswerEndsTheWaitAndALateExtraLineIsReadOff) {
  timing.answerAtLineEnd = true;
  timing.quietCharactersBeforeCommand = 3;
  line.Answer("GA?\r\n", "GA=100\r\n", 3);
  int32_t value = 0;
  const uint32_t start = clock.now;
  ASSERT_TRUE(command.QueryValue(kCmdGA, value, 1000));
  // The answer after 3 ms, behind one quiet look (3 characters, 4 ms here)
  // of a line on which nothing was heard yet; no polling step.
  EXPECT_EQ(clock.now - start, 4u + 3u);
  EXPECT_TRUE(clock.sleeps.empty());
  line.Arrive("EVENT=1\r\n", 1);
  line.Answer("PE?\r\n", "PE=10000\r\n", 3);
  ASSERT_TRUE(command.QueryValue(kCmdPE, value, 1000));
  EXPECT_EQ(value, 10000);
  EXPECT_EQ(host.messages, (std::vector<std::string>{"GA=100", "EVENT=1", "PE=10000"}));
}

}  // namespace
}  // namespace cct
