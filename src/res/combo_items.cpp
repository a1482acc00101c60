#include "res/combo_items.h"

namespace cct {

namespace {

// clang-format off
constexpr ComboItem kCbdrt[] = {{1, "9600bps"}, {2, "19200bps"}, {4, "38400bps"},
                                {8, "57600bps"}, {16, "115200bps"}};
constexpr ComboItem kTg[] = {{0, "Internal"}, {1, "External"}};
constexpr ComboItem kTi[] = {{0, "Camera-Link"}, {1, "12pin"}};
constexpr ComboItem kTa[] = {{0, "RisingEdge"}, {1, "FallingEdge"}, {2, "LevelHigh"},
                             {3, "LevelLow"}};
constexpr ComboItem kOffOn[] = {{0, "Off"}, {1, "On"}};
constexpr ComboItem kEm[] = {{0, "OFF"}, {1, "Timed"}, {2, "TriggerWidth"}};
constexpr ComboItem kOffOnceContinuous[] = {{0, "Off"}, {1, "Once"}, {2, "Continuous"}};
constexpr ComboItem kBi[] = {{0, "Binning Off"}, {1, "Binning On"}};
constexpr ComboItem kHb[] = {{1, "Binning Off"}, {2, "Binning On"}};
constexpr ComboItem kHbm[] = {{0, "Average"}, {1, "Sum"}};
constexpr ComboItem kBa[] = {{0, "8bit"}, {1, "10bit"}};
constexpr ComboItem kTagm[] = {{0, "Geometry_1X2"}, {1, "Geometry_1X3"}, {2, "Geometry_1X4"},
                               {3, "Geometry_1X8"}, {4, "Geometry_1X10"}};
constexpr ComboItem kClc[] = {{0, "85MHz"}, {1, "63.75MHz"}, {2, "42.5MHz"}, {3, "31.875MHz"}};
constexpr ComboItem kTs[] = {{0, "Off"}, {1, "Monochrome"}, {2, "Grey Pattern"}, {3, "White"}};
constexpr ComboItem kAbg[] = {{0, "0dB"}, {1, "6dB"}, {2, "9.54dB"}, {3, "12dB"}};
constexpr ComboItem kSdc[] = {{0, "Off"}, {1, "Factory Area"}, {2, "User Area"}};
constexpr ComboItem kFactoryUser[] = {{1, "Factory Area"}, {2, "User Area"}};
constexpr ComboItem kLun[] = {{0, "Off"}, {1, "LUT"}, {2, "Gamma"}};
constexpr ComboItem kTmps0[] = {{0, "Sensor"}, {1, "Sensor Board Bottom"},
                                {2, "Interface Board Bottom"}, {3, "FPGA"}};
constexpr ComboItem kLs0[] = {{0, "Low"}, {1, "High"}, {4, "Exposure Active (XEEN)"},
                              {5, "Lval"}, {6, "TTL_In"}, {7, "CL_CC1_In"}};
// "4k-B" in lower case is the page's own text.
constexpr ComboItem kSs[] = {{0, "4K-A type"}, {1, "4k-B type"}};
constexpr ComboItem kBas00[] = {{0, "Default Area"}, {1, "Update Area"}};
constexpr ComboItem kByp0[] = {{0, "Normal"}, {1, "Bypass"}};
constexpr ComboItem kDisableEnable[] = {{0, "Disable"}, {1, "Enable"}};
// clang-format on

}  // namespace

const std::array<ComboList, kComboListCount> kComboLists = {{
    {1124, 11 /*CBDRT*/, true, kCbdrt},
    {1096, 13 /*TG*/, false, kTg},
    {1098, 14 /*TI*/, true, kTi},
    {1099, 15 /*TA*/, false, kTa},
    {1186, 16 /*ARST*/, false, kOffOn},
    {1092, 17 /*EM*/, false, kEm},
    {1172, 19 /*ASC*/, false, kOffOnceContinuous},
    {1122, 29 /*BI*/, false, kBi},
    {1223, 30 /*HB*/, true, kHb},
    {1225, 31 /*HBM*/, false, kHbm},
    {1100, 32 /*BA*/, false, kBa},
    {1123, 33 /*TAGM*/, false, kTagm},
    {1174, 34 /*CLC*/, false, kClc},
    {1119, 35 /*TS*/, false, kTs},
    {1173, 37 /*AGC*/, false, kOffOnceContinuous},
    {1217, 43 /*ABG*/, false, kAbg},
    {1120, 45 /*SDC*/, false, kSdc},
    {1192, 48 /*PGC*/, true, kFactoryUser},
    {1184, 51 /*PBC*/, true, kFactoryUser},
    {1116, 54 /*LUN*/, false, kLun},
    {1194, 59 /*TMPS0*/, false, kTmps0},
    {1101, 60 /*LS0*/, true, kLs0},
    {1195, 61 /*SS*/, false, kSs},
    {1227, 62 /*MF*/, false, kOffOn},
    {1128, 77 /*BAS00*/, false, kBas00},
    {1177, 84 /*BYP0*/, false, kByp0},
    {1213, 88 /*PGC00*/, false, kDisableEnable},
    {1214, 89 /*PBC00*/, false, kDisableEnable},
}};

int FindComboList(int32_t ctrlId) {
  for (int i = 0; i < kComboListCount; ++i) {
    if (kComboLists[i].ctrlId == ctrlId) return i;
  }
  return -1;
}

}  // namespace cct
