#pragma once

#include <cstdint>

// Control ids of the three parameter pages. The bound controls carry the ids
// of their parameter-table rows; the others are the pages' own.
namespace cct {

// Page "User A": trigger.
inline constexpr int32_t kIdcTriggerOrigin = 1096;
inline constexpr int32_t kIdcTriggerInput = 1098;
inline constexpr int32_t kIdcTriggerActivation = 1099;
inline constexpr int32_t kIdcAutoResetMode = 1186;

// Page "User A": exposure.
inline constexpr int32_t kIdcExposureMode = 1092;
inline constexpr int32_t kIdcExposureTimeRaw = 1093;
inline constexpr int32_t kIdcExposureTimeRawSpin = 1094;
inline constexpr int32_t kIdcExposureAuto = 1172;
inline constexpr int32_t kIdcExposureAutoMax = 1111;
inline constexpr int32_t kIdcExposureAutoMaxSpin = 1114;
inline constexpr int32_t kIdcExposureAutoMin = 1112;
inline constexpr int32_t kIdcExposureAutoMinSpin = 1115;
inline constexpr int32_t kIdcExposureMaxLimit = 1220;
inline constexpr int32_t kIdcExposureMinLimit = 1221;
inline constexpr int32_t kIdcReadExposureLimits = 1222;

// Page "User A": line rate.
inline constexpr int32_t kIdcLineRate = 1187;
inline constexpr int32_t kIdcLineRateSpin = 1188;
inline constexpr int32_t kIdcLinePeriod = 1215;
inline constexpr int32_t kIdcLineFrequency = 1216;
inline constexpr int32_t kIdcOnePush = 1191;
inline constexpr int32_t kIdcAutoLineRateRef = 1189;
inline constexpr int32_t kIdcAutoLineRateRefSpin = 1190;
inline constexpr int32_t kIdcLineRateMinLimit = 1218;
inline constexpr int32_t kIdcReadLineRateMinLimit = 1219;

// Page "User A": image format.
inline constexpr int32_t kIdcBinningVLabel = 1130;
inline constexpr int32_t kIdcBinningV = 1122;
inline constexpr int32_t kIdcBinningHLabel = 1224;
inline constexpr int32_t kIdcBinningH = 1223;
inline constexpr int32_t kIdcBinningModeLabel = 1226;
inline constexpr int32_t kIdcBinningMode = 1225;
inline constexpr int32_t kIdcBitAllocation = 1100;
inline constexpr int32_t kIdcTapGeometry = 1123;
inline constexpr int32_t kIdcClClock = 1174;
inline constexpr int32_t kIdcTestPattern = 1119;

// Page "User A": gain and signal settings.
inline constexpr int32_t kIdcGainLevel = 1041;
inline constexpr int32_t kIdcGainLevelSpin = 1045;
inline constexpr int32_t kIdcGainAuto = 1173;
inline constexpr int32_t kIdcAlcSpeed = 1147;
inline constexpr int32_t kIdcAlcSpeedSpin = 1107;
inline constexpr int32_t kIdcAlcReference = 1102;
inline constexpr int32_t kIdcAlcReferenceSpin = 1106;
inline constexpr int32_t kIdcGainAutoMax = 1104;
inline constexpr int32_t kIdcGainAutoMaxSpin = 1108;
inline constexpr int32_t kIdcGainAutoMin = 1105;
inline constexpr int32_t kIdcGainAutoMinSpin = 1109;
inline constexpr int32_t kIdcAnalogBaseGain = 1217;
inline constexpr int32_t kIdcBlackLevel = 1139;
inline constexpr int32_t kIdcBlackLevelSpin = 1140;

// Page "User B": corrections.
inline constexpr int32_t kIdcShadingMode = 1120;
inline constexpr int32_t kIdcRecalShading = 1121;
inline constexpr int32_t kIdcPixelGainMode = 1192;
inline constexpr int32_t kIdcRecalPixelGain = 1193;
inline constexpr int32_t kIdcPixelBlackMode = 1184;
inline constexpr int32_t kIdcRecalPixelBlack = 1183;

// Page "User B": LUT.
inline constexpr int32_t kIdcLutSelector = 1116;
inline constexpr int32_t kIdcLutIndex = 1160;
inline constexpr int32_t kIdcLutIndexSpin = 1161;
inline constexpr int32_t kIdcLutData = 1162;
inline constexpr int32_t kIdcLutDataSpin = 1163;
inline constexpr int32_t kIdcLutRead = 1164;
inline constexpr int32_t kIdcLutWrite = 1165;
inline constexpr int32_t kIdcGammaLabel = 1141;
inline constexpr int32_t kIdcGamma = 1117;
inline constexpr int32_t kIdcGammaSpin = 1118;
inline constexpr int32_t kIdcOpenLutTable = 1132;

// Page "User B": the rest.
inline constexpr int32_t kIdcTemperatureSensor = 1194;
inline constexpr int32_t kIdcTemperature = 1049;
inline constexpr int32_t kIdcGetTemperature = 1125;
inline constexpr int32_t kIdcLineSource1 = 1101;
inline constexpr int32_t kIdcSensorSelect = 1195;
inline constexpr int32_t kIdcCameraBaudRate = 1124;
inline constexpr int32_t kIdcMedianFilter = 1227;

// Page "Factory A".
inline constexpr int32_t kIdcFactoryRecalShading = 1127;
inline constexpr int32_t kIdcFactoryRecalPixelGain = 1197;
inline constexpr int32_t kIdcFactoryPixelGainMode = 1213;
inline constexpr int32_t kIdcFactoryRecalPixelBlack = 1198;
inline constexpr int32_t kIdcFactoryPixelBlackMode = 1214;
inline constexpr int32_t kIdcFactoryInGain = 1211;
inline constexpr int32_t kIdcFactoryInGainSpin = 1212;
inline constexpr int32_t kIdcIpBypass = 1177;
inline constexpr int32_t kIdcFactoryGain4KA = 1199;
inline constexpr int32_t kIdcFactoryGain4KASpin = 1200;
inline constexpr int32_t kIdcFactoryGain4KB = 1201;
inline constexpr int32_t kIdcFactoryGain4KBSpin = 1202;
inline constexpr int32_t kIdcFactoryGain8K = 1203;
inline constexpr int32_t kIdcFactoryGain8KSpin = 1204;
inline constexpr int32_t kIdcFactoryBlack4KA = 1205;
inline constexpr int32_t kIdcFactoryBlack4KASpin = 1206;
inline constexpr int32_t kIdcFactoryBlack4KB = 1207;
inline constexpr int32_t kIdcFactoryBlack4KBSpin = 1208;
inline constexpr int32_t kIdcFactoryBlack8K = 1209;
inline constexpr int32_t kIdcFactoryBlack8KSpin = 1210;
inline constexpr int32_t kIdcXmlVersion1 = 1178;
inline constexpr int32_t kIdcXmlVersion2 = 1179;
inline constexpr int32_t kIdcXmlVersion3 = 1180;
inline constexpr int32_t kIdcXmlWrite = 1181;
inline constexpr int32_t kIdcXmlRead = 1182;
inline constexpr int32_t kIdcBootAreaSet = 1128;
inline constexpr int32_t kIdcCameraModel = 1142;
inline constexpr int32_t kIdcSetCameraModel = 1014;
inline constexpr int32_t kIdcCameraReset = 1012;
inline constexpr int32_t kIdcTerminal = 1010;
inline constexpr int32_t kIdcStoreAll = 1021;
inline constexpr int32_t kIdcSaveFactoryArea = 1126;

}  // namespace cct
