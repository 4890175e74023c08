// The flag words of the toolkit's layout constraints: side flags shared by attachments and relative
// constraints, and the option flags each constraint adds.
#ifndef TOOLKIT_KZGEOMFLAGS_H
#define TOOLKIT_KZGEOMFLAGS_H

#include <cstdint>

inline constexpr int32_t KZGEOM_LEFT = 1;
inline constexpr int32_t KZGEOM_RIGHT = 2;
inline constexpr int32_t KZGEOM_TOP = 4;
inline constexpr int32_t KZGEOM_BOTTOM = 8;
// Attachment and relative constraint: the reference's opposite side is not faced / the point is measured
// from the area's end instead of its start.
inline constexpr int32_t KZGEOM_NOT_FACING = 16;
inline constexpr int32_t KZGEOM_STRETCH = 32;
// Relative constraint only: centred on the point.
inline constexpr int32_t KZGEOM_CENTRE = 64;

// Dimension constraint flags.
inline constexpr int32_t KZGEOM_WIDTH = 1;
inline constexpr int32_t KZGEOM_HEIGHT = 2;

// The framework's side code for a flag word. Of several side flags the highest wins (bottom over top over
// right over left); without one the side is the left.
int32_t KZGeomSide(int32_t flags);

#endif
