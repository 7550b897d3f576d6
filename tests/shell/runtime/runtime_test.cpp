// The runtime's logic (start-up, the default-instance slots, lifetime, boxes
// and run-time errors) against a toolkit that records what it is asked.

#include "app/project_descriptor.h"
#include "main_window/form1_procedures.h"
#include "shell/runtime/runtime.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace {

struct FakeWindow;

class FakeToolkit : public shell::runtime::Toolkit {
public:
    std::unique_ptr<shell::runtime::LiveWindow>
    realise(const shell::model::WindowDescription& description,
            shell::runtime::WindowEvents& events) override;
    void messageBox(const shell::runtime::MessageBoxRequest& request) override {
        messageBoxes.push_back(request);
    }
    void errorBox(std::string_view title, std::string_view text) override {
        errorBoxes.emplace_back(std::string(title), std::string(text));
    }
    int runMessageLoop() override {
        loopRan = true;
        return loopExitCode.value_or(0);
    }
    void quit(int exitCode) override { loopExitCode = exitCode; }

    // Failures to inject: a control name whose put_Enabled fails, the show
    // operation, or a show that succeeds but leaves the window unseen.
    std::string failEnabledOf;
    bool failShow = false;
    bool showLeavesHidden = false;

    std::vector<shell::runtime::MessageBoxRequest> messageBoxes;
    std::vector<std::pair<std::string, std::string>> errorBoxes;
    std::optional<int> loopExitCode;
    bool loopRan = false;
    int realised = 0;
    std::vector<FakeWindow*> live; // windows currently alive
};

struct FakeWindow : shell::runtime::LiveWindow {
    FakeWindow(FakeToolkit& owner, const shell::model::WindowDescription& description,
               shell::runtime::WindowEvents& sink)
        : toolkit(owner), name(description.name), events(sink) {
        toolkit.live.push_back(this);
    }
    ~FakeWindow() override { std::erase(toolkit.live, this); }

    shell::runtime::Status show() override {
        if (toolkit.failShow)
            return shell::runtime::kFail;
        ++showCalls;
        visible = !toolkit.showLeavesHidden;
        return shell::runtime::kOk;
    }
    bool isVisible() const override { return visible; }
    shell::runtime::Status setEnabled(std::string_view control, bool on) override {
        if (control == toolkit.failEnabledOf)
            return shell::runtime::kFail;
        enabled[std::string(control)] = on;
        return shell::runtime::kOk;
    }

    // What the user does.
    void click(std::string_view control) { events.clicked(control); }
    void close() { events.closed(); } // destroys this window

    FakeToolkit& toolkit;
    std::string name;
    shell::runtime::WindowEvents& events;
    bool visible = false;
    int showCalls = 0;
    std::map<std::string, bool> enabled;
};

std::unique_ptr<shell::runtime::LiveWindow>
FakeToolkit::realise(const shell::model::WindowDescription& description,
                     shell::runtime::WindowEvents& events) {
    ++realised;
    return std::make_unique<FakeWindow>(*this, description, events);
}

class RuntimeTest : public ::testing::Test {
protected:
    FakeToolkit toolkit;
    shell::runtime::ProjectDescriptor project = app::projectDescriptor();
    std::optional<shell::runtime::Runtime> rt;

    int run() { return rt.emplace(project, toolkit).run(); }
    FakeWindow* window(std::string_view name) {
        for (auto* w : toolkit.live)
            if (w->name == name)
                return w;
        return nullptr;
    }
    std::string onlyErrorBox() {
        EXPECT_EQ(toolkit.errorBoxes.size(), 1u);
        return toolkit.errorBoxes.empty() ? "" : toolkit.errorBoxes[0].second;
    }
};

TEST_F(RuntimeTest, StartUpLoadsShowsAndDisablesTheScrollBars) {
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(toolkit.loopRan);
    EXPECT_FALSE(rt->defaultInstance("Form1").empty());
    EXPECT_TRUE(rt->defaultInstance("Form2").empty());
    FakeWindow* form1 = window("Form1");
    ASSERT_NE(form1, nullptr);
    EXPECT_EQ(form1->showCalls, 1);
    for (const char* bar : main_window::kScrollBarsDisabledAtLoad)
        EXPECT_EQ(form1->enabled.at(bar), false) << bar;
    EXPECT_EQ(form1->enabled.size(), 5u) << "only the scroll bars change at load";
}

// What the box shows and its modality are asserted on the real toolkit
// (tests/app).
TEST_F(RuntimeTest, OnlyTheDriverButtonRaisesABoxTitledForTheApplicationAndOpensNoWindow) {
    run();
    for (const char* name : {"Command1", "Command5", "Command10", "Command11", "Command12"})
        window("Form1")->click(name);
    ASSERT_EQ(toolkit.messageBoxes.size(), 1u);
    EXPECT_EQ(toolkit.messageBoxes[0].title, "岚溯穹岳（");
    EXPECT_EQ(toolkit.realised, 1) << "no window opens";
}

// Opens once, reopens afresh in the same slot, and the program ends when the
// last loaded window closes.
TEST_F(RuntimeTest, TroubleshootingWindowOpensOnceAndAfreshAfterClosing) {
    run();
    FakeWindow* form1 = window("Form1");
    form1->click("Command13");
    shell::runtime::FormObject* instance = rt->defaultInstance("Form2").get();
    ASSERT_NE(instance, nullptr);
    form1->click("Command13");
    EXPECT_EQ(toolkit.realised, 2) << "a second click loads nothing";
    ASSERT_NE(window("Form2"), nullptr);
    EXPECT_EQ(window("Form2")->showCalls, 2);

    window("Form2")->close();
    EXPECT_EQ(window("Form2"), nullptr);
    EXPECT_EQ(rt->defaultInstance("Form2").get(), instance) << "the slot stays filled";
    EXPECT_FALSE(toolkit.loopExitCode.has_value()) << "the main window is still open";

    form1->click("Command13");
    EXPECT_EQ(toolkit.realised, 3) << "loaded afresh";
    EXPECT_EQ(rt->defaultInstance("Form2").get(), instance);
    form1->close();
    EXPECT_FALSE(toolkit.loopExitCode.has_value()) << "Form2 keeps the program running";
    EXPECT_EQ(rt->loadedWindowCount(), 1);
    window("Form2")->close();
    EXPECT_EQ(toolkit.loopExitCode, 0);
}

TEST_F(RuntimeTest, FailingEnabledIsARunTimeErrorThatEndsTheProgram) {
    toolkit.failEnabledOf = "HScroll1";
    EXPECT_EQ(run(), shell::runtime::kRuntimeErrorExitCode);
    EXPECT_FALSE(toolkit.loopRan);
    const std::pair<std::string, std::string> box = {
        "岚溯穹岳（",
        "实时错误 '-2147467259 (80004005)':\n\n对象 '_HScrollBar' 的方法 'Enabled' 失败"};
    EXPECT_EQ(toolkit.errorBoxes, std::vector{box});
    FakeWindow* form1 = window("Form1");
    ASSERT_NE(form1, nullptr);
    EXPECT_EQ(form1->showCalls, 0) << "never shown";
    EXPECT_FALSE(form1->enabled.contains("VScroll3")) << "the procedure stopped at the error";
}

// A show that fails, and one that reports success but leaves the window
// unseen: either is a run-time error, never a program running on unseen.
class ShowFailureTest : public RuntimeTest, public ::testing::WithParamInterface<bool> {
protected:
    void injectFailure() { (GetParam() ? toolkit.showLeavesHidden : toolkit.failShow) = true; }
};

TEST_P(ShowFailureTest, OfTheTroubleshootingWindowEndsTheProgram) {
    run();
    injectFailure();
    window("Form1")->click("Command13");
    EXPECT_NE(onlyErrorBox().find("'_Form2' 的方法 'Show'"), std::string::npos);
    EXPECT_EQ(toolkit.loopExitCode, shell::runtime::kRuntimeErrorExitCode);
    // Nothing runs once the program has ended.
    window("Form1")->click("Command12");
    EXPECT_TRUE(toolkit.messageBoxes.empty());
}

TEST_P(ShowFailureTest, OfTheStartUpWindowEndsTheProgramBeforeTheLoop) {
    injectFailure();
    EXPECT_EQ(run(), shell::runtime::kRuntimeErrorExitCode);
    EXPECT_FALSE(toolkit.loopRan);
    EXPECT_NE(onlyErrorBox().find("'_Form1' 的方法 'Show'"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Runtime, ShowFailureTest, ::testing::Values(false, true),
                         [](const auto& param) {
                             return std::string(param.param ? "LeavesTheWindowUnseen" : "Fails");
                         });

TEST_F(RuntimeTest, UnreadableDescriptionIsReportedAndNoWindowIsBuilt) {
    project.windows[0].loadDescription = [] {
        return shell::Expected<shell::model::WindowDescription>(
            shell::Error{"at offset 0x0: broken"});
    };
    EXPECT_EQ(run(), shell::runtime::kRuntimeErrorExitCode);
    EXPECT_EQ(toolkit.realised, 0);
    // A Chinese sentence, then the decoder's own detail on a line of its own.
    EXPECT_NE(onlyErrorBox().find(
                  "程序文件中窗体 'Form1' 的描述已损坏，无法载入。\n\nat offset 0x0: broken"),
              std::string::npos);
}

TEST_F(RuntimeTest, MessageBoxTakesItsTitleOrTheApplicationsAndAnswersOk) {
    rt.emplace(project, toolkit);
    using shell::runtime::Variant;
    const auto ok = shell::runtime::rtcMsgBox(Variant::string("p"), 0, Variant::string("t"),
                                              Variant::missing(), Variant::missing());
    shell::runtime::rtcMsgBox(Variant::number(42), 0, Variant::missing(), Variant::missing(),
                              Variant::missing());
    EXPECT_EQ(ok.integer, shell::runtime::kMessageBoxOk);
    EXPECT_EQ(toolkit.messageBoxes,
              (std::vector<shell::runtime::MessageBoxRequest>{
                  {.title = "t", .prompt = "p"}, {.title = "岚溯穹岳（", .prompt = "42"}}));
}

TEST(LanguageResources, OtherLibrariesFallBackToEnglish) {
    const auto english = shell::runtime::LanguageResources::load("vb6de.dll", 0x0407);
    EXPECT_FALSE(english.isSimplifiedChinese());
    EXPECT_EQ(
        english.objectCallFailed(shell::runtime::kFail, "_Form2", "Show"),
        "Run-time error '-2147467259 (80004005)':\n\nMethod 'Show' of object '_Form2' failed");
    EXPECT_TRUE(
        shell::runtime::LanguageResources::load("VB6CHS.DLL", 0x0804).isSimplifiedChinese());
}

} // namespace
