#include "startup/Startup.h"

#include "OrvellaFixture.h"
#include "dates/AgentLink.h"
#include "language/LanguageFile.h"

#include <functional>

namespace {

struct StartupTest : OrvellaFixture {
    // Runs the start-up as the program does; the exit code when the process ended, else -1.
    int Start(std::vector<std::string> arguments, std::unique_ptr<OrvellaStartup>* keep = nullptr) {
        p.process.arguments = std::move(arguments);
        auto startup = std::make_unique<OrvellaStartup>(p.environment);
        try {
            ran = startup->Start();
        } catch (const fake::ProcessExit& exit) {
            return exit.code;
        }
        if (keep) *keep = std::move(startup);
        return -1;
    }
    bool ran = false;
};

}  // namespace

TEST_F(StartupTest, SecondCopyEndsSilentlyOnEveryPath) {
    for (const char* argument : {"", "/U", "/S", "C:\\x.skn"}) {
        fake::FakeEnvironment& q = p;
        q.process.mutexes = {"Orvella"};
        const auto launches = q.desktop.launches.size();
        EXPECT_EQ(Start({argument}), 0) << argument;
        EXPECT_TRUE(q.dialogs.shown.empty());
        EXPECT_EQ(q.desktop.launches.size(), launches);
    }
}

TEST_F(StartupTest, UninstallHandOffCopiesBothFilesAndStartsTheCopy) {
    p.files.AddFile("C:\\Program Files\\Orvella\\OrvellaRemover.exe", "remover");
    p.files.AddFile("C:\\Program Files\\Orvella\\Orvella.dll", "dll");
    p.files.AddFile("C:\\Temp\\Orvella\\OrvellaRemover.exe", "old");
    EXPECT_EQ(Start({"/U"}), -1);
    EXPECT_FALSE(ran);
    EXPECT_EQ(p.files.Content("C:\\Temp\\Orvella\\OrvellaRemover.exe"), "remover");
    EXPECT_EQ(p.files.Content("C:\\Temp\\Orvella\\Orvella.dll"), "dll");
    ASSERT_EQ(p.desktop.launches.size(), 1u);
    EXPECT_EQ(p.desktop.launches[0].file, "C:\\Temp\\Orvella\\OrvellaRemover.exe");
    EXPECT_EQ(p.desktop.launches[0].parameters, "");
    EXPECT_EQ(p.desktop.launches[0].show, platform::ShowShow);
    EXPECT_TRUE(p.dialogs.shown.empty());  // no setting is read, no question asked
}

// The copy goes to GetTempPath's folder, the one the removal batch cleans, also where TEMP names
// another one.
TEST_F(StartupTest, UninstallHandOffCreatesTheFolderAndEndsWithoutTemp) {
    p.files.AddFile("C:\\Program Files\\Orvella\\OrvellaRemover.exe", "remover");
    p.process.environment["TEMP"] = "C:\\Users\\me\\Temp";
    p.files.tempPath = "C:\\Users\\me\\Tmp\\";
    p.files.AddDirectory("C:\\Users\\me\\Tmp");
    Start({"/U"});
    EXPECT_TRUE(p.files.DirectoryExists("C:\\Users\\me\\Tmp\\Orvella"));
    EXPECT_TRUE(p.files.FileExists("C:\\Users\\me\\Tmp\\Orvella\\OrvellaRemover.exe"));
    EXPECT_FALSE(p.files.DirectoryExists("C:\\Users\\me\\Temp\\Orvella"));
    // The missing dll fails its copy; the remover is started all the same.
    EXPECT_EQ(p.desktop.launches.size(), 1u);

    fake::FakeEnvironment q;
    q.files.tempPath = "";
    q.process.arguments = {"/U"};
    OrvellaStartup startup{q};
    EXPECT_FALSE(startup.Start());
    EXPECT_TRUE(q.desktop.launches.empty());
    EXPECT_EQ(q.files.DirectoryExists("C:\\Temp\\Orvella"), false);
}

// The setup's step after an update: the language file beside the program gets the new default
// languages and keeps the user's; the exit code says whether it could. It runs beside another
// copy, and shows nothing.
TEST_F(StartupTest, LanguageUpdateRewritesTheDefaultLanguagesOnlyAndEnds) {
    const std::string file = "C:\\Program Files\\Orvella\\Language.dll";
    p.process.mutexes = {"Orvella"};
    p.files.AddFile(file, "[English]\r\n1=Old\r\n[Mine]\r\n1=Mein\r\n");
    EXPECT_EQ(Start({"/L"}), 0);
    EXPECT_EQ(p.files.Content(file), DefaultLanguageFileText() + "[Mine]\r\n1=Mein\r\n");

    p.files.Lock(file);
    EXPECT_EQ(Start({"/L"}), 1);
    EXPECT_TRUE(p.dialogs.shown.empty());
    EXPECT_TRUE(p.desktop.launches.empty());
}

TEST_F(StartupTest, SystemStartWaitsThenArmsTheStartupTimerWithoutTips) {
    std::unique_ptr<OrvellaStartup> s;
    Start({"/S"}, &s);
    ASSERT_TRUE(ran);
    EXPECT_EQ(p.clock.sleeps, std::vector<std::uint32_t>{10000});
    EXPECT_TRUE(s->MainForm().playback.Programmstart.Enabled());
    EXPECT_EQ(s->MainForm().playback.Programmstart.Interval(), 1000);
    EXPECT_FALSE(s->MainForm().Visible());

    p.registry.SetDword(HKCU, kKey, "Programm - Autostart - Länge", 25);
    p.process.mutexes.clear();
    Start({"/S"}, &s);
    EXPECT_EQ(p.clock.sleeps.back(), 25000u);
}

TEST_F(StartupTest, OtherArgumentsAreOrdinaryStarts) {
    for (const char* argument : {"/s", "-S", "", "/u"}) {
        p.process.mutexes.clear();
        p.clock.sleeps.clear();
        std::unique_ptr<OrvellaStartup> s;
        Start({argument}, &s);
        ASSERT_TRUE(ran) << argument;
        EXPECT_TRUE(p.clock.sleeps.empty()) << argument;
        EXPECT_FALSE(s->MainForm().playback.Programmstart.Enabled()) << argument;
        EXPECT_EQ(s->MainForm().clientHeight, 47);
    }
}

TEST_F(StartupTest, WakeCallIsResetByAnOrdinaryStartWithoutPlaying) {
    p.registry.SetDword(HKCU, kKey, "Weckruf", 1);
    std::unique_ptr<OrvellaStartup> s;
    Start({}, &s);
    EXPECT_EQ(Dword("Weckruf"), 0u);
    EXPECT_FALSE(s->MainForm().playback.Programmstart.Enabled());
}

TEST_F(StartupTest, FindsThePlayerThroughItsRegistryKey) {
    std::unique_ptr<OrvellaStartup> s;
    Start({}, &s);
    EXPECT_EQ(s->Preferences().settings.WinampPath, "C:\\Winamp\\Winamp.exe");
    EXPECT_TRUE(p.dialogs.shown.empty());
    EXPECT_FALSE(p.app.quitPosted);
}

TEST_F(StartupTest, MissingPlayerAsksAndSearchOrQuits) {
    // The folder named by the player's key holds no program file; a stored path is not used.
    p.files.DeleteFile("C:\\Winamp\\Winamp.exe");
    p.registry.SetString(HKCU, kKey, "Winamp - Pfad", "C:\\Other\\Winamp.exe");
    p.files.AddFile("C:\\Other\\Winamp.exe");
    p.dialogs.answers = {platform::IdYes};
    p.dialogs.fileAnswers = {std::string("C:\\Apps\\Player.exe")};
    std::unique_ptr<OrvellaStartup> s;
    Start({}, &s);
    ASSERT_FALSE(p.dialogs.shown.empty());
    EXPECT_EQ(p.dialogs.shown[0].caption, "Winamp not found");
    EXPECT_EQ(p.dialogs.shown[0].text, "Winamp was not found!\rDo you want to look for it now?");
    ASSERT_EQ(p.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(p.dialogs.fileRequests[0].title, "Programmpfad");
    EXPECT_EQ(p.dialogs.fileRequests[0].filter, "Anwendungen (*.exe)|*.exe");
    EXPECT_EQ(p.dialogs.fileRequests[0].initialFolder, "C:\\Programme\\Winamp");
    EXPECT_EQ(s->Preferences().settings.WinampPath, "C:\\Apps\\Player.exe");
    EXPECT_FALSE(p.app.quitPosted);

    // Cancelling the search ends the program, but the start-up still completes.
    p.process.mutexes.clear();
    p.dialogs.shown.clear();
    p.dialogs.answers = {platform::IdYes};
    Start({}, &s);
    EXPECT_TRUE(p.app.quitPosted);
    EXPECT_TRUE(ran);
}

TEST_F(StartupTest, MissingPlayerKeyAsksInGermanAndNoEndsTheProgram) {
    p.registry.DeleteKey(HKCU, "Software\\Winamp");
    p.registry.SetString(HKCU, kKey, "Programm - Sprache", "Deutsch");
    p.dialogs.answers = {platform::IdNo};
    Start({});
    ASSERT_FALSE(p.dialogs.shown.empty());
    EXPECT_EQ(p.dialogs.shown[0].caption, "Winamp wurde nicht gefunden");
    EXPECT_EQ(p.dialogs.shown[0].text, "Winamp wurde nicht gefunden!\rWollen Sie jetzt danach suchen?");
    EXPECT_TRUE(p.dialogs.fileRequests.empty());
    EXPECT_TRUE(p.app.quitPosted);
}

TEST_F(StartupTest, FirstStartAsksForDefaultsAndKeepsTipsOn) {
    p.registry.DeleteKey(HKCU, kKey);
    std::unique_ptr<OrvellaStartup> s;
    Start({}, &s);
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].caption, "Adjustments not found");
    EXPECT_TRUE(s->Preferences().settings.ShowTipsAtStart);
    EXPECT_FALSE(p.registry.KeyExists(HKCU, kKey));

    p.process.mutexes.clear();
    p.registry.SetDword(HKCU, kKey, "Erster Start", 0);
    Start({}, &s);
    EXPECT_FALSE(s->Preferences().settings.ShowTipsAtStart);
}

TEST_F(StartupTest, EnableRulesFollowTheLoadedOptions) {
    p.registry.SetDword(HKCU, kKey, "Lautstärke - Ansteigend", 0);
    p.registry.SetDword(HKCU, kKey, "Pausen - Pausen machen", 1);
    p.registry.SetDword(HKCU, kKey, "Automatisch beenden - Aktiv", 1);
    std::unique_ptr<OrvellaStartup> st;
    Start({}, &st);
    const TForm2& f = st->Preferences();
    EXPECT_FALSE(f.UpDown5.enabled);   // breaks need the rising volume too
    EXPECT_FALSE(f.CheckBox10.enabled);
    EXPECT_TRUE(f.CheckBox9.checked);  // disabling never unticks
    EXPECT_TRUE(f.UpDown3.enabled);
    EXPECT_FALSE(f.CheckBox5.enabled);
}

// The program's whole life on the fake GUI, in the order the real one runs it: the windows
// leave the GUI at the end of the run, while it is still there, and it keeps nothing of them.
TEST_F(StartupTest, TheRunEndsWithEveryWindowGoneFromTheGui) {
    p.process.arguments = {"/S"};
    p.registry.SetDword(HKCU, kKey, "Weckruf", 1);
    const int code = RunOrvella(p, [&](ui::Form& mainForm) {
        mainForm.Show();
        p.gui.RunFor(3000);  // the start-up playback comes and goes
        EXPECT_EQ(p.gui.WindowCount(), 4u);
        return 3;
    });
    EXPECT_EQ(code, 3);
    EXPECT_TRUE(p.gui.Forms().empty());
    EXPECT_EQ(p.gui.WindowCount(), 0u);
}

TEST(AgentLink, StartsTheAgentBesideTheProgramAndEndsItByItsWindow) {
    fake::FakePlatform p;
    EXPECT_FALSE(StartAgent(p, 0));
    EXPECT_TRUE(p.desktop.launches.empty());
    p.files.AddFile("C:\\Program Files\\Orvella\\Agent.exe");
    EXPECT_TRUE(StartAgent(p, 0x55));
    ASSERT_EQ(p.desktop.launches.size(), 1u);
    EXPECT_EQ(p.desktop.launches[0].file, "C:\\Program Files\\Orvella\\Agent.exe");
    EXPECT_EQ(p.desktop.launches[0].owner, 0x55u);

    CloseAgent(p);  // none runs: nothing happens
    EXPECT_TRUE(p.desktop.terminated.empty());
    p.desktop.AddWindow("TApplication", "Orvella");
    p.desktop.AddWindow("TApplication", "Orvella Agent");
    const auto agent = p.desktop.windows[1].processId;
    CloseAgent(p);  // asked to close, it ends by itself
    ASSERT_EQ(p.desktop.asked.size(), 1u);
    EXPECT_EQ(p.desktop.asked[0].message, 0x0010u);
    EXPECT_TRUE(p.desktop.terminated.empty());
    p.desktop.onAsk = [](const fake::FakeDesktop::Message&) { return std::optional<std::intptr_t>(); };
    CloseAgent(p);  // hung: ended by force
    EXPECT_EQ(p.desktop.terminated, std::vector<std::uint32_t>{agent});
    EXPECT_TRUE(p.desktop.Find("TApplication", "Orvella"));
}

// A start with "/S" may find nobody at the screen: none of the questions before the start-up
// playback is asked, and the wake call still rings; an ordinary start asks each of them.
TEST_F(StartupTest, ASystemStartAsksNothingBeforeThePlaybackAndStillRings) {
    const struct {
        const char* name;
        std::function<void(fake::FakeEnvironment&)> breakIt;
    } cases[] = {
        {"no language file", [](fake::FakeEnvironment& q) { q.files.DeleteFile(kLanguageFile); }},
        {"no player installed",
         [](fake::FakeEnvironment& q) {
             q.registry.DeleteKey(HKCU, "Software\\Winamp");
             q.files.DeleteFile("C:\\Winamp\\Winamp.exe");
         }},
    };
    for (const auto& c : cases) {
        for (const char* argument : {"/S", ""}) {
            fake::FakeEnvironment q;
            q.files.AddFile("C:\\Program Files\\Orvella\\Orvella.exe", "exe");
            q.files.AddFile("C:\\Program Files\\Orvella\\Alarm.wav", "RIFF");
            q.files.AddFile(kLanguageFile, "[Deutsch]\r\n[English]\r\n");
            q.files.AddFile("C:\\Winamp\\Winamp.exe", "player");
            q.registry.SetString(HKCU, "Software\\Winamp", "", "C:\\Winamp");
            q.registry.SetDword(HKCU, kKey, "Weckruf", 1);
            q.registry.SetDword(HKCU, kKey, "Erster Start", 0);
            c.breakIt(q);
            q.dialogs.defaultAnswer = platform::IdNo;
            q.process.arguments = {argument};
            OrvellaStartup startup{q};
            ASSERT_TRUE(startup.Start()) << c.name;

            if (*argument == '\0') {
                EXPECT_EQ(q.dialogs.shown.size(), 1u) << c.name << ": an ordinary start asks";
                continue;
            }
            EXPECT_TRUE(q.dialogs.shown.empty()) << c.name;
            EXPECT_FALSE(q.app.quitPosted) << c.name;
            q.gui.RunFor(15000);
            EXPECT_EQ(startup.MainForm().playback.PlayState, TPlayState::Play) << c.name;
            EXPECT_FALSE(q.sound.playing.empty()) << c.name << ": the own sound rings";
        }
    }
}

// A start for a wake call while a copy runs hands the call over and ends; a copy that does not
// take it leaves this one to ring it, awake from before its start-up wait. Other second starts,
// and "/S" without a wake call, end silently as before.
TEST_F(StartupTest, ASecondCopyHandsAWakeCallToTheRunningOneOrRingsItItself) {
    p.process.mutexes = {"Orvella"};
    EXPECT_EQ(Start({"/S"}), 0);
    EXPECT_TRUE(p.app.handOverTimeouts.empty());  // no wake call set
    p.registry.SetDword(HKCU, kKey, "Weckruf", 1);
    EXPECT_EQ(Start({""}), 0);
    EXPECT_TRUE(p.app.handOverTimeouts.empty());

    EXPECT_EQ(Start({"/S"}), 0);
    ASSERT_EQ(p.app.handOverTimeouts.size(), 1u);
    EXPECT_LE(p.app.handOverTimeouts[0], 10000u);
    EXPECT_EQ(Dword("Weckruf"), 1u);  // the running copy takes it
    EXPECT_TRUE(p.power.requests.empty());

    p.app.runningCopyTakesWakeCall = false;
    std::unique_ptr<OrvellaStartup> s;
    EXPECT_EQ(Start({"/S"}, &s), -1);
    ASSERT_TRUE(ran);
    EXPECT_EQ(Dword("Weckruf"), 0u);
    EXPECT_EQ(p.power.requests, std::vector<platform::KeepAwake>{platform::KeepAwake::SystemAndDisplay});
    EXPECT_TRUE(s->MainForm().playback.Programmstart.Enabled());
}

TEST_F(StartupTest, TheRunningCopyTakesAHandedOverWakeCallAndSetsItBack) {
    std::unique_ptr<OrvellaStartup> s;
    Start({}, &s);
    ASSERT_TRUE(p.app.wakeCallHandler);
    p.registry.SetDword(HKCU, kKey, "Weckruf", 1);
    p.app.wakeCallHandler();
    EXPECT_EQ(Dword("Weckruf"), 0u);
    EXPECT_EQ(s->MainForm().playback.PlayState, TPlayState::Play);
    EXPECT_EQ(p.power.State(), platform::KeepAwake::SystemAndDisplay);
    s.reset();
    EXPECT_FALSE(p.app.wakeCallHandler);
}

// The agent's list of skipped dates is told at the next ordinary start, once; a system start
// leaves it for later.
TEST_F(StartupTest, MissedWakeCallsAreToldOnceAtAnOrdinaryStart) {
    p.registry.SetString(HKCU, kKey, "Agent - Verpasster Weckruf", "08.12.2026 (07:00) - Work\r09.12.2026 (06:30)");
    Start({"/S"});
    EXPECT_TRUE(p.dialogs.shown.empty());
    p.process.mutexes.clear();
    Start({});
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].text, "Missed wake call: 08.12.2026 (07:00) - Work\rMissed wake call: 09.12.2026 (06:30)");
    EXPECT_EQ(p.dialogs.shown[0].caption, "Orvella");
    EXPECT_FALSE(p.registry.HasValue(HKCU, kKey, "Agent - Verpasster Weckruf"));
    p.process.mutexes.clear();
    Start({});
    EXPECT_EQ(p.dialogs.shown.size(), 1u);

    p.registry.SetString(HKCU, kKey, "Agent - Verpasster Weckruf", "10.12.2026 (07:00)");
    p.registry.SetString(HKCU, kKey, "Programm - Sprache", "Deutsch");
    p.process.mutexes.clear();
    Start({});
    ASSERT_EQ(p.dialogs.shown.size(), 2u);
    EXPECT_EQ(p.dialogs.shown[1].text, "Verpasster Weckruf: 10.12.2026 (07:00)");
}

// "/P", from the agent's menu: a second copy has the running one show its preferences and ends;
// a first copy starts as usual and asks for them once its loop runs. Any running copy shows
// them when asked.
TEST_F(StartupTest, APreferencesStartShowsThePreferencesOfTheRunningCopyOrOfItsOwn) {
    p.process.mutexes = {"Orvella"};
    EXPECT_EQ(Start({"/P"}), 0);
    EXPECT_EQ(p.app.preferencesHandOvers, 1);
    EXPECT_EQ(Start({""}), 0);
    EXPECT_EQ(p.app.preferencesHandOvers, 1);

    for (const char* argument : {"/P", ""}) {
        p.process.mutexes.clear();
        std::unique_ptr<OrvellaStartup> s;
        const int requests = p.app.preferencesRequests;
        EXPECT_EQ(Start({argument}, &s), -1);
        EXPECT_EQ(p.app.preferencesRequests - requests, *argument ? 1 : 0) << argument;
        ASSERT_TRUE(p.app.preferencesHandler);
        EXPECT_FALSE(s->Preferences().Visible());
        p.app.preferencesHandler();
        EXPECT_TRUE(s->Preferences().Visible());
        s.reset();
        EXPECT_FALSE(p.app.preferencesHandler);
    }
}
