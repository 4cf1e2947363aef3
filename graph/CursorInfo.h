#pragma once

class CGraph;

// One mouse pick, handed from the view to the main frame and back to every view that follows.
struct CursorInfo {
    enum Phase { Begin = 0, Move = 1, End = 2 };

    double x = 0.0;         // x under the pointer, data units
    double y = 0.0;         // filled in by the receiver; the view never writes it
    int phase = End;        // between picks the phase stays End
    int curve = 0;          // 0..3: the curve nearest to the pointer at the press
    CGraph* view = nullptr; // the picking view when it carries itself, else null
};
