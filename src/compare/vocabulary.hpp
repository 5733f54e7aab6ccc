// The fixed word lists of the comparison, each in the order in which it is tested.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace tessan::vocabulary {

// A name group: any of `members` stands for `name`.
struct AliasGroup {
  std::string_view name;
  std::span<const std::string_view> members;
};

// Power-pin aliases, on normalized names ("V_" is how "V-" normalizes).
inline constexpr std::array<std::string_view, 9> kSupplyNames = {
    "V+", "VPLUS", "V_PLUS", "VCC", "VDD", "VPP", "VSUP", "+VS", "VS+"};
inline constexpr std::array<std::string_view, 8> kGroundNames = {"V_",  "VMINUS", "V_MINUS", "GND",
                                                                 "VSS", "VEE",    "_VS",     "VS_"};
inline constexpr std::array<AliasGroup, 2> kPowerAliasGroups = {{
    {"VCC", kSupplyNames},
    {"GND", kGroundNames},
}};

// Signal aliases: the power groups and the common spellings of shared signals, on normalized
// names ("D_" is how "D-" normalizes). The first group that holds a name names it.
inline constexpr std::array<std::string_view, 4> kAnalogGroundNames = {"AGND", "GNDA", "VSSA",
                                                                       "AVSS"};
inline constexpr std::array<std::string_view, 3> kAnalogSupplyNames = {"AVCC", "AVDD", "VDDA"};
inline constexpr std::array<std::string_view, 3> kClockNames = {"SCK", "SCLK", "CLK"};
inline constexpr std::array<std::string_view, 6> kControllerInNames = {"MISO", "DO",   "SO",
                                                                       "SDO",  "DOUT", "CIPO"};
inline constexpr std::array<std::string_view, 6> kControllerOutNames = {"MOSI", "DI",  "SI",
                                                                        "SDI",  "DIN", "COPI"};
inline constexpr std::array<std::string_view, 3> kChipSelectNames = {"CS", "SS", "NSS"};
inline constexpr std::array<std::string_view, 2> kTransmitNames = {"TX", "TXD"};
inline constexpr std::array<std::string_view, 2> kReceiveNames = {"RX", "RXD"};
inline constexpr std::array<std::string_view, 9> kUsbPlusNames = {
    "D+", "DP", "UD+", "USB_DP", "USBDP", "USB_D+", "USB_P", "USBP", "USB+"};
inline constexpr std::array<std::string_view, 10> kUsbMinusNames = {
    "D_", "DM", "DN", "UD_", "USB_DM", "USBDM", "USB_D_", "USB_N", "USBN", "USB_"};
inline constexpr std::array<std::string_view, 6> kResetNames = {"RESET",  "RST",    "NRST",
                                                                "NRESET", "RESETN", "RSTN"};

inline constexpr std::array<std::string_view, 3> kOutputNames = {"OUT", "VOUT", "OUTPUT"};
inline constexpr std::array<std::string_view, 3> kInputNames = {"IN", "VIN", "INPUT"};

inline constexpr std::array<AliasGroup, 15> kSignalAliasGroups = {{
    {"VCC", kSupplyNames},
    {"GND", kGroundNames},
    {"AGND", kAnalogGroundNames},
    {"AVCC", kAnalogSupplyNames},
    {"CLK", kClockNames},
    {"MISO", kControllerInNames},
    {"MOSI", kControllerOutNames},
    {"CS", kChipSelectNames},
    {"TX", kTransmitNames},
    {"RX", kReceiveNames},
    {"D+", kUsbPlusNames},
    {"D-", kUsbMinusNames},
    {"RESET", kResetNames},
    {"OUT", kOutputNames},
    {"IN", kInputNames},
}};

// Ground pins that one library names after the domain and another plainly (normalized).
inline constexpr std::array<std::string_view, 10> kGroundClassNames = {
    "GND", "AGND", "DGND", "PGND", "SGND", "VSS", "VSSA", "GNDA", "AVSS", "DVSS"};

// A general-purpose port "GPIOn" is the port "IOn".
inline constexpr std::string_view kGeneralPortPrefix = "GPIO";
inline constexpr std::string_view kPortPrefix = "IO";

// After this prefix, and at the end of a differential-pair name, P and N spell + and -.
inline constexpr std::string_view kInputPrefix = "IN";

// Serial-port names whose instance digit one library writes and another leaves out (TXD0).
inline constexpr std::array<std::string_view, 4> kUartNames = {"TXD", "RXD", "TX", "RX"};

// A pin that connects to nothing or is reserved, compared with every "." and "_" removed and
// optionally followed by digits (N.C., N/C, NC1).
inline constexpr std::array<std::string_view, 6> kNoConnectNames = {"NC",   "NIC",  "DNC",
                                                                    "RESV", "RSVD", "RESERVED"};

// Mechanical pads: shield and mounting pads (each label optionally followed by digits), and
// the pin names such a pad carries where a symbol draws it.
inline constexpr std::array<std::string_view, 6> kMechanicalLabels = {"SHIELD", "SH", "S",
                                                                      "MP",     "MH", "MT"};
inline constexpr std::string_view kUnnumberedPadLabel = "0";
inline constexpr std::string_view kEagleAutomaticPadPrefix = "P$";
inline constexpr std::array<std::string_view, 5> kMechanicalPinNames = {"SHIELD", "SH", "EARTH",
                                                                        "CHASSIS", "MOUNT"};

// Marks of an active-low pin name.
inline constexpr std::string_view kActiveLowMarks = "\\{}~!*";
inline constexpr std::array<std::string_view, 4> kActiveLowSuffixes = {"_N", "_B", "#", "_L"};

// Names of an exposed (thermal) pad, compared with every "_" removed.
inline constexpr std::array<std::string_view, 16> kExposedPadNames = {
    "PAD",      "THERMALPAD", "EP",  "EPAD",     "EXPPAD",  "EXPAD", "GNDPAD", "PPAD",
    "POWERPAD", "DAP",        "TAB", "HEATSINK", "THERMAL", "THERM", "EXP",    "EXPOSED"};

// Force and sense terminals of a four-terminal (Kelvin) resistor.
inline constexpr std::array<std::string_view, 4> kKelvinNames = {"I+", "I-", "V+", "V-"};

// Substrings of an upper-cased package name that mark a module footprint.
inline constexpr std::array<std::string_view, 18> kModuleNames = {
    "MODULE", "WROOM",    "WROVER",   "WROOM-1",     "WROOM-2",  "NORA-",
    "NORA_",  "ATWINC",   "SARA-",    "SARA_",       "MIKROBUS", "FEATHER",
    "XBEE",   "XPLAINED", "BREAKOUT", "CASTELLATED", "EDGE-PAD", "EDGE_PAD"};

// ---- Package families ----

struct FamilyPattern {
  std::string_view pattern;
  std::string_view family;
};

// Vendor outline codes, tested as prefixes in this order.
inline constexpr std::array<FamilyPattern, 21> kVendorOutlinePrefixes = {{
    {"DGS00", "VSSOP"}, {"DCT00", "SOT"},  {"DCK00", "SC70"}, {"DCN00", "VSON"}, {"DBV00", "SOT"},
    {"DDC00", "SOT"},   {"DLC00", "WSON"}, {"YBG00", "BGA"},  {"RGE00", "QFN"},  {"RGZ00", "QFN"},
    {"RHB00", "VQFN"},  {"RUG00", "VQFN"}, {"RRG00", "VQFN"}, {"RGF00", "VQFN"}, {"RTV00", "VQFN"},
    {"RRY00", "VQFN"},  {"RSM00", "VQFN"}, {"RQM00", "VQFN"}, {"PW", "TSSOP"},   {"DR", "QFN"},
    {"PBS00", "TQFP"},
}};

// Short package names of the SOIC and DIP outlines: whole names and name endings.
inline constexpr std::array<std::string_view, 3> kSoicNames = {"D8", "D_8", "D"};
inline constexpr std::array<std::string_view, 1> kSoicSuffixes = {"_D8"};
inline constexpr std::array<std::string_view, 7> kDipNames = {"P8",   "P_8", "PDIP", "P14",
                                                              "P_14", "P16", "P_16"};
inline constexpr std::array<std::string_view, 3> kDipSuffixes = {"_P8", "_P14", "_P16"};

// Families named inside a "SOT_" package name, tested in this order.
inline constexpr std::string_view kSotPrefix = "SOT_";
inline constexpr std::array<std::string_view, 8> kSotNamedFamilies = {
    "VSSOP", "TSSOP", "SSOP", "MSOP", "SOIC", "QFN", "QFP", "BGA"};

// Land-pattern name prefixes (IPC-7351 style, followed by the pitch and "P").
inline constexpr std::array<FamilyPattern, 8> kLandPatternPrefixes = {{
    {"SOP", "SOIC"},
    {"QFP", "LQFP"},
    {"BGA", "BGA"},
    {"CSP", "BGA"},
    {"DFN", "DFN"},
    {"QFN", "QFN"},
    {"SON", "WSON"},
    {"WSON", "WSON"},
}};

inline constexpr std::string_view kLgaPattern = "LGA";

// Substrings of the upper-cased package name, tested in this order.
inline constexpr std::array<FamilyPattern, 30> kFamilySubstrings = {{
    {"VSSOP", "VSSOP"},   {"TSSOP", "TSSOP"},   {"SSOP", "SSOP"},  {"MSOP", "VSSOP"},
    {"SOIC-8W", "SOIC"},  {"SOIC-16W", "SOIC"}, {"SOIC", "SOIC"},  {"SOIJ", "SOIC"},
    {"VQFN", "VQFN"},     {"QFN", "QFN"},       {"WSON", "WSON"},  {"DFN", "DFN"},
    {"LQFP", "LQFP"},     {"TQFP", "LQFP"},     {"QFP", "LQFP"},   {"DSBGA", "BGA"},
    {"WLCSP", "BGA"},     {"CSP", "BGA"},       {"BGA", "BGA"},    {"SOT-563", "SOT"},
    {"SOT-23-5", "SOT"},  {"SOT-23-6", "SOT"},  {"SOT-23", "SOT"}, {"SOT", "SOT"},
    {"SC-70", "SC70"},    {"SC70", "SC70"},     {"DIP", "DIP"},    {"WROOM", "MODULE"},
    {"WROVER", "MODULE"}, {"MODULE", "MODULE"},
}};

inline constexpr std::string_view kUnknownFamily = "UNKNOWN";

// Package families that one body style can be labelled as; a label-only difference stays
// within one class.
struct FamilyClass {
  std::string_view name;
  std::span<const std::string_view> families;
};

inline constexpr std::array<std::string_view, 10> kLeadedFamilies = {
    "SOIC", "SSOP", "TSSOP", "VSSOP", "MSOP", "QFP", "LQFP", "TQFP", "SOT", "SC70"};
inline constexpr std::array<std::string_view, 6> kLeadlessFamilies = {"QFN",  "VQFN", "DFN",
                                                                      "WSON", "VSON", "LGA"};
inline constexpr std::array<std::string_view, 1> kArrayFamilies = {"BGA"};
inline constexpr std::array<std::string_view, 1> kThroughHoleFamilies = {"DIP"};
inline constexpr std::array<std::string_view, 1> kModuleFamilies = {"MODULE"};

inline constexpr std::array<FamilyClass, 5> kFamilyClasses = {{
    {"leaded", kLeadedFamilies},
    {"leadless", kLeadlessFamilies},
    {"array", kArrayFamilies},
    {"through-hole", kThroughHoleFamilies},
    {"module", kModuleFamilies},
}};

}  // namespace tessan::vocabulary
