// The atlas's own pictures, drawn as text (one character a pixel): the
// button glyphs and the two cursors. Glyphs: '.' is the background (the
// button makes it transparent), '#' black, 'w' white, 'g' grey, 'b' blue.
// Cursors: '.' transparent, '#' black, 'w' white.
#pragma once

#include <string_view>

namespace orq::atlas_pictures {

inline constexpr int GlyphSize = 20;

// An arrow pointer.
inline constexpr std::string_view Pointer =
    "...................."
    "...................."
    "......#............."
    "......##............"
    "......#w#..........."
    "......#ww#.........."
    "......#www#........."
    "......#wwww#........"
    "......#wwwww#......."
    "......#wwwwww#......"
    "......#wwwwwww#....."
    "......#wwww#####...."
    "......#ww#ww#......."
    "......#w#.#ww#......"
    "......##..#ww#......"
    "......#....#ww#....."
    "...........#ww#....."
    "............##......"
    "...................."
    "....................";

// A magnifying glass with a plus in its lens.
inline constexpr std::string_view ZoomIn =
    "...................."
    "...................."
    "......#####........."
    ".....#wwwww#........"
    "....#www#www#......."
    "...#wwww#wwww#......"
    "...#wwww#wwww#......"
    "...#w#######w#......"
    "...#wwww#wwww#......"
    "...#wwww#wwww#......"
    "....#www#www#......."
    ".....#wwwww##......."
    "......######b#......"
    "...........#bb#....."
    "............#bb#...."
    ".............#bb#..."
    "..............#bb#.."
    "...............##..."
    "...................."
    "....................";

inline constexpr int CursorSize = 16;

// A magnifier; the hot spot is the centre of the lens (6, 6).
inline constexpr std::string_view ZoomCursor =
    "...#####........"
    "..#wwwww#......."
    ".#www#www#......"
    "#wwww#wwww#....."
    "#wwww#wwww#....."
    "#w#######w#....."
    "#wwww#wwww#....."
    "#wwww#wwww#....."
    ".#www#www#......"
    "..#wwwww###....."
    "...#####w#w#...."
    "........#ww#w#.."
    ".........#ww#w#."
    "..........#ww#w#"
    "...........#ww##"
    "............###.";

// An open hand; the hot spot is the tip of the middle finger (7, 0).
inline constexpr std::string_view HandCursor =
    ".......##......."
    "....##.#w#......"
    "...#ww##w#.##..."
    "...#ww##w##ww#.."
    "...#ww##w##ww#.."
    "...#ww##w##ww###"
    "...#wwwwwwwww#w#"
    "##.#wwwwwwwww#w#"
    "#w##wwwwwwwwwww#"
    "#ww#wwwwwwwwwww#"
    ".#wwwwwwwwwwwww#"
    "..#wwwwwwwwwww#."
    "...#wwwwwwwwww#."
    "....#wwwwwwww#.."
    ".....#wwwwwww#.."
    ".....#########..";

}  // namespace orq::atlas_pictures
