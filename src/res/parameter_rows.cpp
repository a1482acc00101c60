#include "res/parameter_rows.h"

namespace cct {

namespace {
constexpr int32_t C = kKindComboBox;
constexpr int32_t E = kKindEditSpin;
constexpr int32_t B = kKindPushButton;
constexpr int32_t kMax = kNoUpperLimit;
}  // namespace

// clang-format off
const std::array<ParameterRow, kParameterRowCount + 1> kParameterRows = {{
  // ctrl  cmd         kind spin area   min   max  default prev file
  {1124, 11 /*CBDRT*/,  C, 0, 1,    0,    0,    0, 0, 0},  //  0 User B "Baud Rate"
  {1096, 13 /*TG*/,     C, 0, 1,    0,    0,    0, 0, 1},  //  1 "Trigger Origin"
  {1098, 14 /*TI*/,     C, 0, 1,    0,    0,    0, 0, 1},  //  2 "Trigger Input"
  {1099, 15 /*TA*/,     C, 0, 1,    0,    0,    0, 0, 1},  //  3 "Trigger Activation"
  {1186, 16 /*ARST*/,   C, 0, 1,    0,    0,    0, 0, 1},  //  4 "Auto Reset Mode"
  {1092, 17 /*EM*/,     C, 0, 1,    0,    0,    0, 0, 1},  //  5 "Exposure Mode"
  {1093, 18 /*PE*/,     E, 0, 1,    0, kMax,    0, 0, 1},  //  6 "Exposure Time Raw"
  {1172, 19 /*ASC*/,    C, 0, 1,    0,    0,    0, 0, 0},  //  7 "Exposure Auto"
  {1111, 20 /*ASCEA*/,  E, 0, 1,    0, kMax,    0, 0, 0},  //  8 "Exposure Auto Max"
  {1112, 21 /*ASCEI*/,  E, 0, 1,    0, kMax,    0, 0, 0},  //  9 "Exposure Auto Min"
  {1187, 23 /*LR*/,     E, 0, 1,    0, kMax,    0, 0, 1},  // 10 "Line Rate"
  {1191, 24 /*AR*/,     B, 0, 0,    0,    0,    0, 0, 0},  // 11 "One-push"
  {1189, 25 /*AL*/,     E, 0, 1,    0, 1023,    0, 0, 1},  // 12 "Auto Line rate ref"
  {1122, 29 /*BI*/,     C, 0, 1,    0,    0,    0, 0, 1},  // 13 "Binning V"
  {1223, 30 /*HB*/,     C, 0, 1,    0,    0,    0, 0, 1},  // 14 "Binning H"
  {1225, 31 /*HBM*/,    C, 0, 1,    0,    0,    0, 0, 1},  // 15 "Binning Horizontal Mode"
  {1100, 32 /*BA*/,     C, 0, 1,    0,    0,    0, 0, 1},  // 16 "Bit Allocation"
  {1123, 33 /*TAGM*/,   C, 0, 1,    0,    0,    0, 0, 1},  // 17 "Device" / "Tap Geometry"
  {1174, 34 /*CLC*/,    C, 0, 1,    0,    0,    0, 0, 1},  // 18 "CL Clock"
  {1119, 35 /*TS*/,     C, 0, 1,    0,    0,    0, 0, 0},  // 19 "Test Pattern"
  {1041, 36 /*GA*/,     E, 0, 1,  100, 6400,  100, 0, 1},  // 20 "Gain Level"
  {1173, 37 /*AGC*/,    C, 0, 1,    0,    2,    0, 0, 0},  // 21 "Gain Auto"
  {1147, 38 /*ALCS*/,   E, 0, 1,    1,    8,    4, 0, 0},  // 22 "Alc Speed"
  {1102, 39 /*AGCF*/,   E, 0, 1,   20,   95,   20, 0, 0},  // 23 "Alc Reference"
  {1104, 40 /*AGCGA*/,  E, 0, 1,  101, 6400, 6400, 0, 0},  // 24 "Gain Auto Max"
  {1105, 41 /*AGCGI*/,  E, 0, 1,  100, 6399,  100, 0, 0},  // 25 "Gain Auto Min"
  {1217, 43 /*ABG*/,    C, 0, 1,    0,    0,    0, 0, 1},  // 26 "Analog Base Gain All"
  {1139, 44 /*BL*/,     E, 0, 1, -133,  255,    0, 0, 1},  // 27 "Black Level"
  {1120, 45 /*SDC*/,    C, 0, 1,    0,    0,    0, 0, 1},  // 28 User B shading "Correction Mode"
  {1121, 46 /*SDR*/,    B, 0, 0,    0,    0,    0, 0, 0},  // 29 "Recalibrate Shading"
  {1192, 48 /*PGC*/,    C, 0, 1,    0,    0,    0, 0, 1},  // 30 pixel gain "Correction Mode"
  {1193, 49 /*PGR*/,    B, 0, 0,    0,    0,    0, 0, 0},  // 31 "Recalibrate Pixel Gain"
  {1184, 51 /*PBC*/,    C, 0, 1,    0,    0,    0, 0, 1},  // 32 pixel black "Correction Mode"
  {1183, 52 /*PBR*/,    B, 0, 0,    0,    0,    0, 0, 0},  // 33 "Recalibrate Pixel Black"
  {1116, 54 /*LUN*/,    C, 0, 1,    0,    0,    0, 0, 1},  // 34 "LUT selector"
  {1160, 55 /*LUTI*/,   E, 0, 1,    0,  255,    0, 0, 0},  // 35 "Index"
  {1162, 56 /*LUTD*/,   E, 0, 1,    0, 4095,    0, 0, 0},  // 36 "Data"
  {1117, 57 /*GMA*/,    E, 0, 1,    0,    8,    8, 0, 1},  // 37 "Gamma Selector"
  {1194, 59 /*TMPS0*/,  C, 0, 1,    0,    0,    0, 0, 1},  // 38 "Temperature"
  {1101, 60 /*LS0*/,    C, 0, 1,    0,    0,    0, 0, 1},  // 39 "Line1"
  {1195, 61 /*SS*/,     C, 0, 1,    0,    0,    0, 0, 1},  // 40 "Sensor Select"
  {1227, 62 /*MF*/,     C, 0, 1,    0,    0,    0, 0, 1},  // 41 "Median Filter"
  {1126, 66 /*SA00*/,   B, 0, 0,    0,    0,    0, 0, 0},  // 42 Factory A "Save Settings into Factory Area"
  {1199, 71 /*GA4A00*/, E, 0, 2,   50,  200,   50, 0, 1},  // 43 gain "4K-A type"
  {1201, 72 /*GA4B00*/, E, 0, 2,   50,  200,   50, 0, 1},  // 44 gain "4K-B type"
  {1203, 73 /*GA8K00*/, E, 0, 2,   50,  200,   50, 0, 1},  // 45 gain "8K type"
  {1205, 74 /*BL4A00*/, E, 0, 2,    0,  255,    0, 0, 1},  // 46 black "4K-A type"
  {1207, 75 /*BL4B00*/, E, 0, 2,    0,  255,    0, 0, 1},  // 47 black "4K-B type"
  {1209, 76 /*BL8K00*/, E, 0, 2,    0,  255,    0, 0, 1},  // 48 black "8K type"
  {1128, 77 /*BAS00*/,  C, 0, 2,    0,    0,    0, 0, 0},  // 49 "Boot Area Set"
  {1127, 78 /*SDR00*/,  B, 0, 0,    0,    0,    0, 0, 0},  // 50 "Recalibrate Shading"
  {1197, 80 /*PGR00*/,  B, 0, 0,    0,    0,    0, 0, 0},  // 51 "Recalibrate Pixel Gain"
  {1198, 82 /*PBR00*/,  B, 0, 0,    0,    0,    0, 0, 0},  // 52 "Recalibrate Pixel Black"
  {1177, 84 /*BYP0*/,   C, 0, 2,    0,    0,    0, 0, 1},  // 53 "IP Bypass"
  {1211, 87 /*GA00*/,   E, 0, 2,   50,  200,   50, 0, 1},  // 54 "Factory in Gain"
  {1213, 88 /*PGC00*/,  C, 0, 2,    0,    0,    0, 0, 1},  // 55 pixel gain "Correction Mode"
  {1214, 89 /*PBC00*/,  C, 0, 2,    0,    0,    0, 0, 1},  // 56 pixel black "Correction Mode"
  {-1, 0, 0, 0, 0, 0, 0, 0, 0, 0},                         // end of table
}};
// clang-format on

}  // namespace cct
