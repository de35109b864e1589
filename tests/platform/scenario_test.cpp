// The scenario language: parsing with line numbers, runs on the manual
// clock, and the real program (dspdemo --script) ending with its exit code.
#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>
#include <fstream>

#include "platform/testing/scenario_runner.h"
#include "platform/tree_view.h"
#include "ui_test_support.h"

namespace dsp::test {
namespace {

std::string ErrorOf(const std::string& script) {
  try {
    ParseScenario(script);
  } catch (const ScenarioError& error) {
    return error.what();
  }
  return "";
}

TEST(ScenarioParseTest, ReadsCommandsArgumentsQuotedTextsAndGoOnMarks) {
  const auto steps = ParseScenario(
      "# comment\n"
      "\n"
      "click button_scan\n"
      "  type edit_device_name_0 Hall 2  \n"
      "expect-text label_tips_0 \"  Saving... \\\"x\\\"\"\n"
      "click menu_item_file_effect &\r\n"
      "wait 6000\n"
      "wait-until 30000 expect-text label_tips_0 Saving...\n");
  ASSERT_EQ(steps.size(), 6u);
  EXPECT_EQ(steps[0].line, 3);
  EXPECT_EQ(steps[0].args, (std::vector<std::string>{"button_scan"}));
  EXPECT_EQ(steps[1].args, (std::vector<std::string>{"edit_device_name_0", "Hall 2"}));
  EXPECT_EQ(steps[2].args[1], "  Saving... \"x\"");
  EXPECT_TRUE(steps[3].go_on);
  EXPECT_FALSE(steps[0].go_on);
  EXPECT_EQ(steps[4].line, 7);
  EXPECT_EQ(steps[4].args[0], "6000");
  EXPECT_EQ(steps[5].args, (std::vector<std::string>{"30000", "expect-text", "label_tips_0", "Saving..."}));
}

TEST(ScenarioParseTest, RejectsMistakesWithTheirLineNumber) {
  EXPECT_EQ(ErrorOf("click a\nclik b\n"), "line 2: unknown command \"clik\"");
  EXPECT_EQ(ErrorOf("select tree\n"), "line 1: select needs 2 argument(s)");
  EXPECT_EQ(ErrorOf("\n\nwait soon\n"), "line 3: expected a number, found \"soon\"");
  EXPECT_EQ(ErrorOf("check box maybe\n"), "line 1: expected on or off, found \"maybe\"");
  EXPECT_EQ(ErrorOf("key edit home\n"), "line 1: expected up, down, left, right, enter, esc or tab, found \"home\"");
  EXPECT_EQ(ErrorOf("click a b\n"), "line 1: unexpected \"b\"");
  EXPECT_EQ(ErrorOf("drag graph 1,1\n"), "line 1: drag needs 3 argument(s)");
  EXPECT_EQ(ErrorOf("expect-text a \"open\n"), "line 1: the quoted text has no closing \"");
  EXPECT_EQ(ErrorOf("wait 10 &\n"), "line 1: \"&\" goes after a click, dbclick, select, check, type or key");
  EXPECT_EQ(ErrorOf("wait-until\n"), "line 1: wait-until needs a limit in ms and an expect- line");
  EXPECT_EQ(ErrorOf("wait-until soon expect-text a b\n"), "line 1: expected a number, found \"soon\"");
  EXPECT_EQ(ErrorOf("wait-until 100 click a\n"), "line 1: wait-until waits for an expect- line, not \"click\"");
  EXPECT_EQ(ErrorOf("wait-until 100 expect-check box maybe\n"), "line 1: expected on or off, found \"maybe\"");
}

class ScenarioRunTest : public DemoWindowTest {
 protected:
  std::string Run(const std::string& script) {
    ScenarioRunner runner("test.scenario", ParseScenario(script));
    runner.Run();
    return runner.Failure();
  }
};

TEST_F(ScenarioRunTest, APassingScriptDrivesEveryKindOfControl) {
  const std::filesystem::path shot = std::filesystem::temp_directory_path() / "dsp_scenario_shot.png";
  const std::string failure = Run(
      "expect-text label_status \"Ready\"\n"
      "click button_add_device\n"
      "click button_add_device\n"
      "select treeview_devices 2\n"
      "expect-selected treeview_devices 2\n"
      "expect-text label_status treeview_devices: 2\n"
      "type edit_gain_input_1 -3.5\n"
      "expect-value slider_gain_input_1 -35\n"
      "key edit_gain_input_1 up\n"
      "expect-text edit_gain_input_1 -3.4\n"
      "scroll edit_gain_input_1 down\n"
      "expect-text edit_gain_input_1 -3.5\n"
      "key edit_gain_input_1 esc\n"
      "expect-text label_status Esc pressed\n"
      "check checkbox_mute_input_1 on\n"
      "expect-check checkbox_mute_input_1 on\n"
      "select combo_mode 2\n"
      "expect-text label_status Mode: Demo\n"
      "answer ok\n"
      "click button_ask\n"
      "expect-message \"Proceed ?\"\n"
      "expect-text label_status Answer: OK\n"
      "check checkbox_run on\n"
      "wait 1000\n"
      "expect-value progress_meter 10\n"
      "click button_dialog &\n"
      "expect-visible button_dialog_ok yes\n"
      "click button_dialog_ok\n"
      "expect-text label_status Dialog: 1\n"
      "click button_menu\n"
      "click menu_item_demo_reset\n"
      "expect-text label_status Gains reset\n"
      "expect-text edit_gain_input_1 0.0\n"
      "expect-visible label_device_1 yes\n"
      "expect-enabled button_ask yes\n"
      "screenshot " + shot.string() + "\n");
  EXPECT_EQ(failure, "");
  EXPECT_TRUE(std::filesystem::exists(shot));
  std::filesystem::remove(shot);
  EXPECT_EQ(harness.Clock().NowMs(), 1000) << "only the wait moved time";
}

TEST_F(ScenarioRunTest, AFailedExpectationStopsTheRunAndNamesItsLine) {
  const std::string failure = Run(
      "click button_add_device\n"
      "# the status says Ready\n"
      "expect-text label_status \"Nothing\"\n"
      "click button_add_device\n");
  EXPECT_EQ(failure, "test.scenario:3: expect-text label_status: expected \"Nothing\", found \"Ready\"");
  EXPECT_EQ(demo.Find<TreeNode>("treenode_root")->ChildCount(), 1) << "nothing after the failure ran";
}

TEST_F(ScenarioRunTest, ActionsThatCannotBeDoneFailWithTheirLine) {
  EXPECT_EQ(Run("click button_nowhere\n"), "test.scenario:1: click button_nowhere: no control named \"button_nowhere\"");
  demo.FindControl("button_ask")->SetEnabled(false);
  EXPECT_EQ(Run("wait 5\nclick button_ask\n"), "test.scenario:2: click button_ask: \"button_ask\" is disabled");
  EXPECT_EQ(Run("drag meter_demo 2,3 handle\n"),
            "test.scenario:1: drag meter_demo: \"meter_demo\" has no point \"handle\"");
}

TEST_F(ScenarioRunTest, UnansweredBoxesUnusedAnswersAndOpenDialogsAreFailures) {
  EXPECT_EQ(Run("click button_ask\n"),
            "test.scenario:1: unexpected message box \"Question\": \"Proceed ?\" (script an answer for it)");
  EXPECT_EQ(Run("answer ok\n"), "test.scenario:1: 1 scripted answer(s) were never asked for");
  EXPECT_EQ(Run("click button_dialog &\nexpect-visible button_dialog_ok yes\n"),
            "test.scenario:2: the script ended while the dialog \"Demo dialog\" was still open");
  EXPECT_EQ(harness.Text("label_status"), "Dialog: -1") << "the dialog was closed so the run could end";
}

// The demo's meter climbs by one every 100 ms while "checkbox_run" is on.
TEST_F(ScenarioRunTest, WaitUntilGoesOnWhenItsConditionHoldsAndFailsWithWhatItSawAtTheLimit) {
  const struct {
    std::string script;
    std::string failure;
    std::int64_t earliest_ms;
    std::int64_t latest_ms;
  } cases[] = {
      {"wait-until 2000 expect-text label_status Ready\n", "", 0, 0},
      {"check checkbox_run on\nwait-until 5000 expect-value progress_meter 10\nexpect-value progress_meter 10\n", "",
       1000, 1000 + ScenarioRunner::kConditionPollMs},
      {"wait 5\nwait-until 2000 expect-text label_status \"Nothing\"\nclick button_add_device\n",
       "test.scenario:2: wait-until expect-text label_status: after 2000 ms expected \"Nothing\", found \"Ready\"",
       2005, 2005},
      {"wait-until 300 expect-visible label_nowhere yes\n",
       "test.scenario:1: wait-until expect-visible label_nowhere: after 300 ms no control named \"label_nowhere\"", 300,
       300},
  };
  for (const auto& each : cases) {
    const std::int64_t start = harness.Clock().NowMs();
    EXPECT_EQ(Run(each.script), each.failure) << each.script;
    const std::int64_t waited = harness.Clock().NowMs() - start;
    EXPECT_GE(waited, each.earliest_ms) << each.script;
    EXPECT_LE(waited, each.latest_ms) << each.script;
  }
  EXPECT_EQ(demo.Find<TreeNode>("treenode_root")->ChildCount(), 0) << "nothing after a failed wait ran";
}

// A line without "&" that opens a dialog waiting for the user would wait for
// ever: it fails at the deadline, naming the dialog.
TEST_F(ScenarioRunTest, ADialogOpenedWithoutGoOnFailsWithItsLineAndTitle) {
  EXPECT_EQ(Run("wait 5\nclick button_dialog\nexpect-text label_status Ready\n"),
            "test.scenario:2: the dialog \"Demo dialog\" was still open after 300 s: end the line with \" &\" and "
            "act in the dialog on the next lines");
  EXPECT_EQ(harness.Clock().NowMs(), 5 + ScenarioRunner::kActionLimitMs);
  EXPECT_EQ(harness.Text("label_status"), "Dialog: -1");
}

// The real program, in real time: its exit code and the failing line.
class DemoProgramTest : public ::testing::Test {
 protected:
  int RunDemo(const std::string& script, std::string& errors) {
    const std::filesystem::path path = dir_.path() / "run.scenario";
    std::ofstream(path) << script;
    QProcess demo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    demo.setProcessEnvironment(environment);
    demo.start(DSPDEMO_PATH, {"--script", QString::fromStdString(path.string()), "--screenshot",
                              QString::fromStdString(dir_.File("shot.png"))});
    EXPECT_TRUE(demo.waitForFinished(120000));
    errors = demo.readAllStandardError().toStdString();
    return demo.exitStatus() == QProcess::NormalExit ? demo.exitCode() : -1;
  }

  dsp::testing::TempDir dir_;
};

// Characters beyond ASCII (Chinese names) are typed as an input method
// delivers them.
TEST_F(DemoProgramTest, APassingScriptTypingAnyUnicodeEndsWithZeroAndTheScreenshot) {
  std::string errors;
  EXPECT_EQ(RunDemo("type edit_gain_input_1 \"大厅 Zürich 🎚\"\nclick button_add_device\nwait 50\n"
                    "select treeview_devices 1\nexpect-text label_status treeview_devices: 1\n"
                    "click button_dialog &\nclick button_dialog_ok\nexpect-text label_status Dialog: 1\n",
                    errors),
            0)
      << errors;
  EXPECT_TRUE(std::filesystem::exists(dir_.path() / "shot.png"));
}

TEST_F(DemoProgramTest, AFailingScriptEndsWithOneAndReportsItsLine) {
  std::string errors;
  EXPECT_EQ(RunDemo("click button_add_device\n\nexpect-visible label_device_0 no\n", errors), 1);
  EXPECT_NE(errors.find("run.scenario:3: expect-visible label_device_0: expected \"no\", found \"yes\""),
            std::string::npos)
      << errors;
}

}  // namespace
}  // namespace dsp::test
