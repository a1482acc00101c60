#include "app/composition_root.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/control_mode.h"
#include "app/preference_store.h"
#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "serial/camera_model.h"
#include "serial/serial_channel.h"
#include "settings_sandbox.h"
#include "support/recording_host.h"

namespace cct {
namespace {

TEST(CreationOrderTest, DestroysNewestFirst) {
  std::vector<int> destroyed;
  struct Probe {
    Probe(std::vector<int>& log, int id) : log(log), id(id) {}
    ~Probe() { log.push_back(id); }
    std::vector<int>& log;
    int id;
  };
  {
    CreationOrder order;
    for (int id = 1; id <= 3; ++id) order.Adopt(std::make_unique<Probe>(destroyed, id));
  }
  EXPECT_EQ(destroyed, (std::vector<int>{3, 2, 1}));
}

// Notes, at every number written, what the file's marker held then.
class WatchedStore : public PreferenceStore {
 public:
  WatchedStore(const test::SettingsSandbox& config, std::vector<std::string>& writes)
      : config_(config), writes_(writes) {}
  bool SetNumber(int index, int value) override {
    const int marker = config_.Stored("Previous Application Shutdown Status").toInt();
    writes_.push_back(std::string(PreferenceName(index)) + " (marker " + std::to_string(marker) +
                      ")");
    return PreferenceStore::SetNumber(index, value);
  }

 private:
  const test::SettingsSandbox& config_;
  std::vector<std::string>& writes_;
};

class CompositionRootTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(config.IsValid()); }
  test::SettingsSandbox config;
  test::RecordingHost host;
  std::vector<std::string> writes;
};

TEST_F(CompositionRootTest, SingleObjectsAreMadeOnceOnFirstUse) {
  CompositionRoot root(host);
  ASSERT_EQ(CompositionRoot::Current(), &root);
  EXPECT_FALSE(QFile::exists(config.ConfFile()));  // nothing made yet
  EXPECT_EQ(&TheCommand(), &TheCommand());
  EXPECT_EQ(&TheSerialChannel(), &root.GetSerialChannel());
  EXPECT_EQ(&TheParameterTable(), &TheParameterTable());
  EXPECT_EQ(&TheCameraModel(), &TheCameraModel());
  EXPECT_EQ(TheCameraModel().modelIndex, kModelUnknown);
  EXPECT_EQ(&TheHost(), &host);
  EXPECT_TRUE(QFile::exists(config.ConfFile()));  // the channel made the store
}

TEST_F(CompositionRootTest, NormalEndWritesEveryValueAndTheMarkerLast) {
  config.Store("Communication Mode", 2);
  config.Store("Com Port No", 4);
  config.Store("Cameralink Ver11 Dll Index", 1);
  config.Store("Control Mode", 1);
  {
    CompositionRoot root(host, [&] { return std::make_unique<WatchedStore>(config, writes); });
    EXPECT_EQ(TheSerialChannel().GetMode(), 2);
    EXPECT_EQ(TheControlMode().GetControlMode(), 1);
    TheControlMode().SetControlMode(0);
    TheSerialChannel().SetMode(3);
    EXPECT_EQ(config.Stored("Previous Application Shutdown Status").toInt(), 0);
  }
  // Newest first: the control-mode holder, then the channel; the marker
  // stayed 0 until everything else was written.
  EXPECT_EQ(writes, (std::vector<std::string>{
                        "Control Mode (marker 0)",
                        "Communication Mode (marker 0)",
                        "Baudrate (marker 0)",
                        "Com Port No (marker 0)",
                        "Cameralink 2000 Dll Index (marker 0)",
                        "Cameralink 2001 Dll Index (marker 0)",
                        "Cameralink Ver11 Dll Index (marker 0)",
                    }));
  EXPECT_EQ(config.Stored("Previous Application Shutdown Status").toInt(), 1);
  EXPECT_EQ(config.Stored("Control Mode").toInt(), 0);
  EXPECT_EQ(config.Stored("Communication Mode").toInt(), 3);
  EXPECT_EQ(config.Stored("Baudrate").toInt(), 9600);
  EXPECT_EQ(config.Stored("Com Port No").toInt(), 4);
  EXPECT_EQ(config.Stored("Cameralink Ver11 Dll Index").toInt(), 1);
  EXPECT_EQ(CompositionRoot::Current(), nullptr);
}

}  // namespace
}  // namespace cct
