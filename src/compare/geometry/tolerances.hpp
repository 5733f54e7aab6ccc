// Every tolerance the footprint geometry rules use, in one place. Millimetres unless stated.
#pragma once

#include <cstddef>

namespace tessan::geometry_tolerance {

// Pad roles.
inline constexpr double kInteriorMargin = 0.30;         // inside every side of the frame
inline constexpr double kViaDrillMax = 0.60;            // an interior plated hole up to this drill
inline constexpr double kViaCopperMax = 1.20;           // and this copper size is a via
inline constexpr std::size_t kArrayInteriorLabels = 4;  // interior labels of an array part
inline constexpr double kMountAreaFactor = 4.0;         // times the median ring pad area
inline constexpr double kMountDrillFactor = 1.5;        // times the median ring drill

// Usable geometry.
inline constexpr double kMinSpread = 0.5;          // ring pads spread in both x and y
inline constexpr double kOverlapShare = 0.20;      // of the smaller area: pads overlap
inline constexpr double kMaxOverlapping = 0.10;    // share of ring pads that may overlap
inline constexpr double kLargestCoordinate = 1e6;  // beyond this a position is nonsense
inline constexpr std::size_t kMaxPads = 20000;     // a footprint beyond this is not compared
inline constexpr std::size_t kMaxLargePads = 256;  // pads over twice the median size

// Measures.
inline constexpr double kPitchCluster = 0.10;  // distances within this share of the mode
inline constexpr double kSamePlace = 0.001;    // pad centres closer than this share a place

// Alignment.
inline constexpr double kPairSlack = 0.05;
inline constexpr int kRecentrePasses = 2;
inline constexpr double kMinPaired = 0.80;        // of the smaller match set
inline constexpr double kRotationSlack = 0.10;    // of the best pair count, at least one pad
inline constexpr double kLabelOnlyPaired = 0.90;  // of the larger match set

// Rules.
inline constexpr double kPitchDifference = 0.025;  // of the larger pitch
inline constexpr double kSpanDifference = 0.25;    // of the larger span
inline constexpr double kHoleError = 0.25;
inline constexpr double kRowErrorMin = 0.10;
inline constexpr double kRowErrorPitchShare = 0.20;
inline constexpr std::size_t kMaxClashExamples = 4;

}  // namespace tessan::geometry_tolerance
