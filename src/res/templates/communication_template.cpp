#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

namespace cct::templates {

namespace {
using namespace ctl;

constexpr const char* kCategories[] = {"Com Port", "Camera Link spec. 2000",
                                       "Camera Link spec. 2001", "Camera Link spec. ver.1.1"};
constexpr const char* kBaudRates[] = {"9600bps", "19200bps", "38400bps", "57600bps", "115200bps"};
constexpr const char* kAreas[] = {"Factory Data", "User 1 Data", "User 2 Data", "User 3 Data"};

constexpr uint32_t kButton = kVisible | kTabStop;
constexpr uint32_t kList = kVisible | kTabStop | kVScroll;

constexpr ControlTemplate kControls[] = {
    {kNoControlId, ControlKind::GroupBox, "Line Status", 4, 5, 281, 37, kVisible},
    {kIdcCommLineIcon, ControlKind::Picture, "", 13, 15, 20, 20, kVisible, kIdbOffline},
    {kIdcCommLineText, ControlKind::Static, "Offline", 44, 23, 60, 8, kVisible},

    {kNoControlId, ControlKind::GroupBox, "Communication Port", 4, 47, 280, 42, kVisible},
    {kNoControlId, ControlKind::Static, "Category", 13, 61, 31, 8, kVisible},
    {kIdcCommCategory, ControlKind::ComboBox, "", 46, 58, 125, 70, kList, 0, kCategories},
    {kNoControlId, ControlKind::Static, "Port Name", 10, 76, 36, 8, kVisible},
    {kIdcCommPortName, ControlKind::ComboBox, "", 46, 73, 125, 120, kList},
    {kIdcCommBaudLabel, ControlKind::Static, "Baud Rate", 178, 59, 36, 8, kVisible},
    {kIdcCommBaudRate, ControlKind::ComboBox, "", 214, 57, 64, 70, kList, 0, kBaudRates},
    {kIdcCommAuto, ControlKind::PushButton, "Auto", 178, 72, 101, 14, kButton},

    {kNoControlId, ControlKind::GroupBox, "Files", 3, 93, 281, 40, kVisible},
    {kIdcCommWriteFileIcon, ControlKind::Picture, "", 18, 108, 20, 20, kVisible, kIdbDisk},
    {kIdcCommWriteFile, ControlKind::PushButton, "Write To File...", 46, 109, 61, 14, kButton},
    {kIdcCommReadFileIcon, ControlKind::Picture, "", 159, 107, 20, 20, kVisible, kIdbFolder},
    {kIdcCommReadFile, ControlKind::PushButton, "Read To FIle....", 183, 109, 63, 14, kButton},

    {kNoControlId, ControlKind::GroupBox, "Current Area", 3, 137, 115, 35, kVisible},
    {kIdcCommAreaText, ControlKind::Static, "", 11, 151, 49, 14, kVisible | kSunken | kCenter},
    {kIdcCommGetArea, ControlKind::PushButton, "Get Area", 70, 150, 42, 14, kButton},

    {kNoControlId, ControlKind::GroupBox, "Factory And User Setting In Camera", 131, 138, 154, 35,
     kVisible},
    {kIdcCommAreaList, ControlKind::ComboBox, "", 139, 150, 60, 70, kList, 0, kAreas},
    {kIdcCommStore, ControlKind::PushButton, "Store", 204, 150, 36, 14, kButton | kDisabled},
    {kIdcCommLoad, ControlKind::PushButton, "Load", 244, 150, 36, 14, kButton},

    {kNoControlId, ControlKind::GroupBox, "ZovizerIdur Message", 3, 176, 281, 82, kVisible},
    {kIdcCommMessages, ControlKind::LogList, "", 9, 187, 202, 66,
     kVisible | kVScroll | kNoSelection | kSunken},
    {kIdcCommSaveMessages, ControlKind::PushButton, "Write To File", 222, 187, 50, 14, kButton},
    {kIdcCommClearMessages, ControlKind::PushButton, "Clear", 222, 206, 50, 14, kButton},

    {kIdcCommunicationStatus, ControlKind::Picture, "", 1, 263, 285, 5, kVisible, kIdbOffline},
};
}  // namespace

const DialogTemplate kCommunication = {
    kIddCommunication, "Communication", 287, 270, dlg::kCaption | dlg::kSysMenu, kControls};

}  // namespace cct::templates
