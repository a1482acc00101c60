#pragma once

#include <cstdint>

namespace cct {

// Dialog templates.
inline constexpr int32_t kIddAbout = 102;
inline constexpr int32_t kIddCameraId = 103;
inline constexpr int32_t kIddCommunication = 104;
inline constexpr int32_t kIddMain = 105;
inline constexpr int32_t kIddLut = 106;
inline constexpr int32_t kIddProgress = 107;
inline constexpr int32_t kIddAreaSelect = 108;
inline constexpr int32_t kIddTerminal = 109;
inline constexpr int32_t kIddUserId = 110;
inline constexpr int32_t kIddUserA = 111;
inline constexpr int32_t kIddUserB = 112;
inline constexpr int32_t kIddFactoryA = 117;

// Pictures.
inline constexpr int32_t kIdbOffline = 302;
inline constexpr int32_t kIdbOnline = 303;
inline constexpr int32_t kIdbDisk = 304;    // saving a file
inline constexpr int32_t kIdbFolder = 305;  // opening a file
inline constexpr int32_t kIdiMain = 500;

// Menus.
inline constexpr int32_t kIdrMainMenu = 600;

// Command ids of the standard buttons.
inline constexpr int32_t kIdOk = 1;
inline constexpr int32_t kIdCancel = 2;

// Main window.
inline constexpr int32_t kIdcMainTab = 1089;
inline constexpr int32_t kIdcMainStatus = 1069;

// Status strips of the other windows.
inline constexpr int32_t kIdcAboutStatus = 1064;
inline constexpr int32_t kIdcCameraIdStatus = 1065;
inline constexpr int32_t kIdcCommunicationStatus = 1066;
inline constexpr int32_t kIdcLutStatus = 1067;
inline constexpr int32_t kIdcUserIdStatus = 1068;
inline constexpr int32_t kIdcTerminalStatus = 1070;
inline constexpr int32_t kIdcAreaSelectStatus = 1086;

// Progress window.
inline constexpr int32_t kIdcProgressBar = 1011;
inline constexpr int32_t kIdcProgressMessage = 1013;

// Communication dialog.
inline constexpr int32_t kIdcCommLineIcon = 1301;
inline constexpr int32_t kIdcCommLineText = 1302;
inline constexpr int32_t kIdcCommCategory = 1303;
inline constexpr int32_t kIdcCommPortName = 1304;
inline constexpr int32_t kIdcCommBaudLabel = 1305;
inline constexpr int32_t kIdcCommBaudRate = 1306;
inline constexpr int32_t kIdcCommAuto = 1307;
inline constexpr int32_t kIdcCommWriteFileIcon = 1308;
inline constexpr int32_t kIdcCommReadFileIcon = 1309;
inline constexpr int32_t kIdcCommWriteFile = 1310;
inline constexpr int32_t kIdcCommReadFile = 1311;
inline constexpr int32_t kIdcCommAreaText = 1312;
inline constexpr int32_t kIdcCommGetArea = 1313;
inline constexpr int32_t kIdcCommAreaList = 1314;
inline constexpr int32_t kIdcCommStore = 1315;
inline constexpr int32_t kIdcCommLoad = 1316;
inline constexpr int32_t kIdcCommMessages = 1317;
inline constexpr int32_t kIdcCommSaveMessages = 1318;
inline constexpr int32_t kIdcCommClearMessages = 1319;

// Area selection dialog.
inline constexpr int32_t kIdcAreaSelectList = 1015;
inline constexpr int32_t kIdcAreaSelectPrompt = 1020;

// LUT editor.
inline constexpr int32_t kIdcLutEditTableType = 1053;
inline constexpr int32_t kIdcLutEditWrite = 1054;
inline constexpr int32_t kIdcLutEditClear = 1055;
inline constexpr int32_t kIdcLutEditGraph = 1056;
inline constexpr int32_t kIdcLutEditConvert = 1057;
inline constexpr int32_t kIdcLutEditAllTables = 1058;
inline constexpr int32_t kIdcLutEditRead = 1133;
inline constexpr int32_t kIdcLutEditCount = 1134;
inline constexpr int32_t kIdcLutEditSpin = 1135;
inline constexpr int32_t kIdcLutEditMode = 1136;
inline constexpr int32_t kIdcLutEditHelpAdd = 1361;
inline constexpr int32_t kIdcLutEditHelpDelete = 1362;
inline constexpr int32_t kIdcLutEditHelpMove = 1363;

// About dialog.
inline constexpr int32_t kIdcAboutName = 1000;
inline constexpr int32_t kIdcAboutVersion = 1002;
inline constexpr int32_t kIdcAboutFirmware = 1022;
inline constexpr int32_t kIdcAboutCameraId = 1023;
inline constexpr int32_t kIdcAboutModel = 1024;
inline constexpr int32_t kIdcAboutUserId = 1028;
inline constexpr int32_t kIdcAboutViewHelp = 1043;
inline constexpr int32_t kIdcAboutFpga = 1082;
inline constexpr int32_t kIdcAboutSaveUserId = 1083;
inline constexpr int32_t kIdcAboutProtectUserId = 1084;
inline constexpr int32_t kIdcAboutEditUserId = 1085;
inline constexpr int32_t kIdcAboutHelpList = 1087;
inline constexpr int32_t kIdcAboutDevVer1 = 1149;
inline constexpr int32_t kIdcAboutDevVer2 = 1150;
inline constexpr int32_t kIdcAboutDevVer3 = 1151;
inline constexpr int32_t kIdcAboutDevVer4 = 1152;
inline constexpr int32_t kIdcAboutSaveDevVer = 1153;
inline constexpr int32_t kIdcAboutDevVerLabel = 1185;

// User ID dialog.
inline constexpr int32_t kIdcUserIdEdit = 1039;
inline constexpr int32_t kIdcUserIdSave = 1040;

// Camera ID dialog: the ten characters left to right, then the button.
inline constexpr int32_t kIdcCameraId1 = 1029;
inline constexpr int32_t kIdcCameraId2 = 1030;
inline constexpr int32_t kIdcCameraId3 = 1031;
inline constexpr int32_t kIdcCameraId4 = 1032;
inline constexpr int32_t kIdcCameraId5 = 1033;
inline constexpr int32_t kIdcCameraId6 = 1034;
inline constexpr int32_t kIdcCameraId7 = 1035;
inline constexpr int32_t kIdcCameraId8 = 1036;
inline constexpr int32_t kIdcCameraId9 = 1037;
inline constexpr int32_t kIdcCameraId10 = 1042;
inline constexpr int32_t kIdcCameraIdSave = 1050;

// Terminal.
inline constexpr int32_t kIdcTermCommand = 1341;
inline constexpr int32_t kIdcTermClose = 1342;
inline constexpr int32_t kIdcTermSend = 1343;
inline constexpr int32_t kIdcTermList = 1344;
inline constexpr int32_t kIdcTermClear = 1345;
inline constexpr int32_t kIdcTermSave = 1346;

}  // namespace cct
