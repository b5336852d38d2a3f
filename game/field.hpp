#pragma once
// Where play happens on the 80 x 25 screen, in the 1-based screen positions that the layers
// are indexed by. Every phase and random range is written from these.

// The play field inside the frame.
inline constexpr int kFieldLeft = 2;
inline constexpr int kFieldRight = 49;
inline constexpr int kFieldTop = 2;
inline constexpr int kFieldBottom = 24;
inline constexpr int kFieldWidth = kFieldRight - kFieldLeft + 1;   // 48
inline constexpr int kFieldHeight = kFieldBottom - kFieldTop + 1;  // 23

// The frame around it: its outer edges, and the divider between field and side panel.
inline constexpr int kFrameLeft = 1;
inline constexpr int kFrameTop = 1;
inline constexpr int kFrameRight = 80;
inline constexpr int kFrameBottom = 25;
inline constexpr int kDivider = kFieldRight + 1;  // 50

// The ship's cell at the start of every game.
inline constexpr int kShipStartX = 25;
inline constexpr int kShipStartY = kFieldBottom - 1;  // 23
