#pragma once

// Numeric command ids shared by menu items and toolbar buttons.
namespace cmd {

// Ranges 62.5 m .. 64 km, in table order.
inline constexpr int kRangeFirst = 32806;
inline constexpr int kRangeLast = 32816;
// Pulses in table order (10 ns .. 50 us); the ids are not contiguous.
inline constexpr int kPulseIds[12] = {32800, 32799, 32798, 32797, 32796, 32795,
                                      32794, 32801, 32802, 32803, 32804, 32805};

inline constexpr int kMouseMagnifier = 32941;   // mouse modes 0..7 are 32941..32948
inline constexpr int kMouseLast = 32948;

inline constexpr int kChannelParams = 32819;     // channel parameters (measurement form)
inline constexpr int kFirstCursor = 32820;
inline constexpr int kSecondCursor = 32821;
inline constexpr int kPrintPreview = 32822;
inline constexpr int kApproximation = 32828;
inline constexpr int kLine1 = 32829;
inline constexpr int kSaveLine1 = 32830;
inline constexpr int kLine2 = 32832;
inline constexpr int kSaveLine2 = 32833;
inline constexpr int kSplitPairs = 32835;
inline constexpr int kCapture = 32836;
inline constexpr int kDifference = 32837;
inline constexpr int kStart = 32838;
inline constexpr int kStop = 32839;
inline constexpr int kTwoScreen = 32840;
inline constexpr int kChannelSettings = 32923;
inline constexpr int kMemory = 32924;
inline constexpr int kOpenKuTable = 32953;   // the KU table panel's own toolbar (162)
inline constexpr int kUseKu = 32954;
inline constexpr int kAddKu = 32955;
inline constexpr int kDeleteKu = 32956;
inline constexpr int kOpenReflectograms = 32959;   // the library panel's folder of reflectograms
inline constexpr int kMemoryP1 = 32960;            // a library file into memory P1 (P2, P3 below)
inline constexpr int kMemoryP2 = 32962;
inline constexpr int kMemoryP3 = 32964;
inline constexpr int kPreview = 32975;             // the library's preview screen
inline constexpr int kPrint = 32976;
inline constexpr int kSaveReportPdf = 32977;   // the report as a PDF file
inline constexpr int kSpeedMode = 33000;
inline constexpr int kReturnLoss = 33002;
inline constexpr int kOpenGrids = 33010;
inline constexpr int kNewGrid = 33011;
inline constexpr int kUseGrid = 33012;
inline constexpr int kAddSection = 33016;
inline constexpr int kFinishEditing = 33017;
inline constexpr int kDeleteSection = 33018;
inline constexpr int kHelp = 32996;
inline constexpr int kWebSite = 32993;
inline constexpr int kWriteUs = 32999;
inline constexpr int kAbout = 57664;
// The program's language, in "Справка": the choice takes effect at the next start.
inline constexpr int kLanguage = 33110;

// The analysis tools beyond the instrument's own program.
inline constexpr int kFindEvents = 33100;
inline constexpr int kCalibrateKu = 33101;
inline constexpr int kWatch = 33102;
// Whether the printed report carries the event table (a check, kept for the session).
inline constexpr int kPrintEventTable = 33103;
inline constexpr int kLocateTwoEnded = 33104;
inline constexpr int kCompareBaseline = 33105;

} // namespace cmd
