#include "glyphs.h"

namespace zelvo::skingen::glyphs {

// Transport symbols share one height (11 px) so the four buttons read as a set.
Glyph Previous() { return Beside({Block(2, 11), TriangleLeft(5), TriangleLeft(5)}); }
Glyph PlayPause() { return Beside({TriangleRight(5), Space(4), Block(2, 11), Space(2), Block(2, 11)}); }
Glyph Stop() { return Block(9, 9); }
Glyph Next() { return Beside({TriangleRight(5), TriangleRight(5), Block(2, 11)}); }

Glyph PlaylistDrop() {
  return Stacked({Block(9, 1), Space(9), Block(9, 1), Space(9), Block(9, 1), Space(9), TriangleDown(4)});
}

Glyph MenuArrow() { return TriangleDown(2); }

Glyph Speaker() {
  return Glyph{{
      "....#...",
      "...##...",
      "#####.#.",
      "#####..#",
      "#####..#",
      "#####..#",
      "#####.#.",
      "...##...",
      "....#...",
  }};
}

Glyph Close() {
  return Glyph{{
      "##.....##",
      "###...###",
      ".###.###.",
      "..#####..",
      "...###...",
      "..#####..",
      ".###.###.",
      "###...###",
      "##.....##",
  }};
}

Glyph Plus() {
  return Glyph{{
      "...##...",
      "...##...",
      "...##...",
      "########",
      "########",
      "...##...",
      "...##...",
      "...##...",
  }};
}

Glyph Minus() { return Block(8, 2); }

Glyph SortArrows() {
  return Glyph{{
      "...#...",
      "..###..",
      ".#####.",
      "#######",
      ".......",
      "#######",
      ".#####.",
      "..###..",
      "...#...",
  }};
}

Glyph Folder() {
  return Glyph{{
      "####......",
      "#####.....",
      "##########",
      "##########",
      "##########",
      "##########",
      "##########",
      "##########",
  }};
}

Glyph Disk() {
  return Glyph{{
      "########.",
      "##....###",
      "##....###",
      "#########",
      "#########",
      "#.......#",
      "#.......#",
      "#.......#",
      "#########",
  }};
}

}  // namespace zelvo::skingen::glyphs
