// Win32_Service from unit files and from what systemctl says, with a stand-in systemctl that
// answers as the real one does, so that no service of the machine is started or stopped.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "engine/objects/wmi/ServiceProvider.h"
#include "platform/TextConvert.h"
#include "platform/WmiCatalog.h"
#include "TempFolder.h"

namespace quillet::engine {
namespace {

namespace fs = std::filesystem;

class WmiServices : public ::testing::Test {
 protected:
  void SetUp() override {
    m_lib = m_folder.File("lib");
    m_etc = m_folder.File("etc");
    fs::create_directories(m_lib);
    fs::create_directories(m_etc + "/multi-user.target.wants");
    test::WriteFile(m_lib + "/cron.service",
                    "[Unit]\nDescription=Regular background program processing daemon\n\n[Service]\n"
                    "ExecStart=/usr/sbin/cron -f $EXTRA_OPTS\nIgnoreSIGPIPE=false\n\n[Install]\nWantedBy=multi-user.target\n");
    test::WriteFile(m_lib + "/static-job.service",
                    "# a job other units pull in\n[Unit]\nDescription=Cleans up\n[Service]\nType=oneshot\n"
                    "ExecStart=-/bin/true \\\n  --quiet\nUser=nobody\n");
    test::WriteFile(m_lib + "/masked.service", "[Unit]\nDescription=Hidden by the mask\n");
    test::WriteFile(m_lib + "/getty@.service", "[Unit]\nDescription=A template\n");
    test::WriteFile(m_lib + "/cron.timer", "[Unit]\nDescription=Not a service\n");
    fs::create_symlink(m_lib + "/cron.service", m_etc + "/multi-user.target.wants/cron.service");
    fs::create_symlink("/dev/null", m_etc + "/masked.service");
    fs::create_symlink(m_lib + "/cron.service", m_etc + "/crond.service");  // an alias
    m_setup.unitFolders = {m_etc, m_lib};
    m_setup.configFolder = m_etc;
    m_setup.systemctl = m_folder.File("systemctl");
    m_setup.live = false;
    m_class = platform::CWmiCatalog::Installed().Find(u"root\\cimv2", u"Win32_Service");
    ASSERT_NE(m_class, nullptr);
  }

  // A systemctl that logs its arguments and answers "show" with the given blocks.
  void FakeSystemctl(const std::string& show) {
    test::WriteFile(m_folder.File("show.txt"), show);
    test::WriteFile(m_setup.systemctl,
                    "#!/bin/sh\necho \"$*\" >> '" + m_folder.File("calls.txt") + "'\n"
                    "case \"$*\" in\n"
                    "  *list-units*) echo 'cron.service loaded active running Cron'; echo 'extra.service loaded active running X' ;;\n"
                    "  *show*) cat '" + m_folder.File("show.txt") + "' ;;\n"
                    "  *'start --no-block -- locked.service'*) echo 'Failed to start locked.service: Access denied' >&2; exit 4 ;;\n"
                    "  *'stop --no-block -- slow.service'*) exec sleep 30 ;;\n"
                    "esac\nexit 0\n");
    ::chmod(m_setup.systemctl.c_str(), 0755);
    m_setup.live = true;
  }

  WbemInstances Services() {
    CServiceProvider provider(m_setup);
    WbemInstances out;
    provider.Enumerate(*m_class, nullptr, out);
    return out;
  }

  std::shared_ptr<SWbemInstance> Find(const WbemInstances& services, std::u16string_view name) {
    for (const auto& service : services) {
      if (service->Get(u"Name").ToString() == name) return service;
    }
    return nullptr;
  }

  int32_t Call(SWbemInstance& service, std::u16string_view method, std::u16string_view argument = {}) {
    CServiceProvider provider(m_setup);
    std::vector<CVariant> args;
    if (!argument.empty()) args.push_back(CVariant::String(argument));
    return provider.CallMethod(service, *m_class->FindMethod(method), args).ToLong();
  }

  std::string Calls() { return fs::exists(m_folder.File("calls.txt")) ? test::ReadFile(m_folder.File("calls.txt")) : ""; }

  static std::string Text(const SWbemInstance& service, std::u16string_view property) {
    const CVariant& value = service.Get(property);
    return value.IsNull() ? "Null" : platform::Utf16ToUtf8(value.ToString());
  }

  test::CTempFolder m_folder;
  std::string m_lib, m_etc;
  systemd::SSetup m_setup;
  const platform::SWmiClass* m_class = nullptr;
};

TEST_F(WmiServices, UnitFilesAloneGiveStoppedServices) {
  const WbemInstances services = Services();
  ASSERT_EQ(services.size(), 3u) << "templates, aliases and other unit kinds are left out";
  const auto cron = Find(services, u"cron");
  ASSERT_NE(cron, nullptr);
  EXPECT_EQ(Text(*cron, u"DisplayName"), "Regular background program processing daemon");
  EXPECT_EQ(Text(*cron, u"State"), "Stopped");
  EXPECT_EQ(Text(*cron, u"Started"), "False");
  EXPECT_EQ(Text(*cron, u"StartMode"), "Auto");
  EXPECT_EQ(Text(*cron, u"ProcessId"), "0");
  EXPECT_EQ(Text(*cron, u"PathName"), "/usr/sbin/cron -f $EXTRA_OPTS");
  EXPECT_EQ(Text(*cron, u"StartName"), "LocalSystem");
  EXPECT_EQ(Text(*cron, u"AcceptStop"), "False");
  EXPECT_EQ(Text(*cron, u"Status"), "OK");
  const auto job = Find(services, u"static-job");
  ASSERT_NE(job, nullptr);
  EXPECT_EQ(Text(*job, u"StartMode"), "Manual");
  EXPECT_EQ(Text(*job, u"PathName"), "/bin/true    --quiet");
  EXPECT_EQ(Text(*job, u"StartName"), "nobody");
  const auto masked = Find(services, u"masked");
  ASSERT_NE(masked, nullptr);
  EXPECT_EQ(Text(*masked, u"StartMode"), "Disabled") << "the mask in the first folder hides the unit file";
  EXPECT_EQ(Text(*masked, u"DisplayName"), "masked");
  EXPECT_EQ(Text(*masked, u"Description"), "Null");
  // Without a running systemd nothing is asked of systemctl.
  EXPECT_EQ(Calls(), "");
}

constexpr const char* kShow =
    "Id=cron.service\nDescription=Regular background program processing daemon\nLoadState=loaded\n"
    "ActiveState=active\nMainPID=123\nCanStop=yes\nUnitFileState=enabled\n"
    "ExecStart={ path=/usr/sbin/cron ; argv[]=/usr/sbin/cron -f ; ignore_errors=no ; start_time=[n/a] }\n\n"
    "Id=static-job.service\nLoadState=loaded\nActiveState=failed\nMainPID=0\nExecMainStatus=3\nUnitFileState=static\n\n"
    "Id=extra.service\nLoadState=loaded\nActiveState=activating\nMainPID=77\nUnitFileState=\n"
    "ExecStart={ path=/usr/bin/x ; argv[]=/usr/bin/x --flag ; ignore_errors=no }\n\n"
    "Id=ghost.service\nLoadState=not-found\nActiveState=inactive\n";

TEST_F(WmiServices, LiveStateComesFromSystemctl) {
  FakeSystemctl(kShow);
  const WbemInstances services = Services();
  ASSERT_EQ(services.size(), 4u) << "a loaded unit without a file is listed; one systemd cannot find is not";
  const auto cron = Find(services, u"cron");
  EXPECT_EQ(Text(*cron, u"State"), "Running");
  EXPECT_EQ(Text(*cron, u"Started"), "True");
  EXPECT_EQ(Text(*cron, u"ProcessId"), "123");
  EXPECT_EQ(Text(*cron, u"AcceptStop"), "True");
  EXPECT_EQ(Text(*cron, u"PathName"), "/usr/sbin/cron -f");
  const auto job = Find(services, u"static-job");
  EXPECT_EQ(Text(*job, u"State"), "Stopped");
  EXPECT_EQ(Text(*job, u"Status"), "Error");
  EXPECT_EQ(Text(*job, u"ExitCode"), "1066");
  EXPECT_EQ(Text(*job, u"ServiceSpecificExitCode"), "3");
  const auto extra = Find(services, u"extra");
  ASSERT_NE(extra, nullptr);
  EXPECT_EQ(Text(*extra, u"State"), "Start Pending");
  EXPECT_EQ(Text(*extra, u"PathName"), "/usr/bin/x --flag");
  EXPECT_EQ(Find(services, u"ghost"), nullptr);
}

TEST_F(WmiServices, MethodsGoThroughSystemctlWithWindowsReturnValues) {
  FakeSystemctl(kShow);
  WbemInstances services = Services();
  auto cron = Find(services, u"cron");
  auto job = Find(services, u"static-job");
  auto masked = Find(services, u"masked");
  EXPECT_EQ(Call(*cron, u"StartService"), 10) << "already running";
  EXPECT_EQ(Call(*job, u"StopService"), 5) << "not running";
  EXPECT_EQ(Call(*masked, u"StartService"), 14) << "disabled";
  EXPECT_EQ(Calls().find("start"), std::string::npos) << "refused before systemctl is asked";
  EXPECT_EQ(Call(*cron, u"StopService"), 0);
  EXPECT_EQ(Call(*job, u"StartService"), 0);
  EXPECT_NE(Calls().find("--no-ask-password stop --no-block -- cron.service"), std::string::npos) << Calls();
  EXPECT_NE(Calls().find("--no-ask-password start --no-block -- static-job.service"), std::string::npos);
  EXPECT_EQ(Call(*masked, u"ChangeStartMode", u"Automatic"), 0);
  EXPECT_NE(Calls().find("unmask -- masked.service\n--no-ask-password enable -- masked.service"), std::string::npos);
  EXPECT_EQ(Call(*cron, u"ChangeStartMode", u"Disabled"), 0);
  EXPECT_NE(Calls().find("mask -- cron.service"), std::string::npos);
  EXPECT_EQ(Call(*cron, u"ChangeStartMode", u"Boot"), 21);

  // Refusals and a hung systemctl, told apart by what it printed.
  test::WriteFile(m_folder.File("show.txt"),
                  "Id=locked.service\nLoadState=loaded\nActiveState=inactive\n\n"
                  "Id=slow.service\nLoadState=loaded\nActiveState=active\nCanStop=yes\n");
  SWbemInstance locked(*m_class);
  locked.Set(u"Name", CVariant::String(u"locked"));
  EXPECT_EQ(Call(locked, u"StartService"), 2);
  SWbemInstance slow(*m_class);
  slow.Set(u"Name", CVariant::String(u"slow"));
  m_setup.timeoutMs = 200;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(Call(slow, u"StopService"), 7);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
}

TEST(WmiServiceFailures, SystemctlMessagesMapToReturnValues) {
  EXPECT_EQ(CServiceProvider::ReturnValueOfFailure(false, false, ""), 1);
  EXPECT_EQ(CServiceProvider::ReturnValueOfFailure(true, false,
                                                   "System has not been booted with systemd as init system (PID 1). "
                                                   "Can't operate.\nFailed to connect to bus: Host is down\n"),
            1);
  EXPECT_EQ(CServiceProvider::ReturnValueOfFailure(true, false, "Failed to stop x.service: Interactive authentication required."), 2);
  EXPECT_EQ(CServiceProvider::ReturnValueOfFailure(true, false, "Failed to start x.service: Unit x.service is masked."), 14);
  EXPECT_EQ(CServiceProvider::ReturnValueOfFailure(true, false, "Failed to start x.service: Unit x.service not found."), 5);
  EXPECT_EQ(CServiceProvider::ReturnValueOfFailure(true, false, "A dependency job for x.service failed."), 13);
  EXPECT_EQ(CServiceProvider::ReturnValueOfFailure(true, true, ""), 7);
  EXPECT_EQ(CServiceProvider::ReturnValueOfFailure(true, false, "something else"), 8);
}

}  // namespace
}  // namespace quillet::engine
