#pragma once

class QWidget;

namespace kestrum {

// The Graphs window as the main window sees it. The window and its charts
// live in their own module (kestrum-graphs.so), so Qt Charts is loaded when
// the window is first opened, not with the main window.
class GraphsWindow {
public:
    virtual ~GraphsWindow() = default;
    virtual QWidget* Widget() = 0;
    // The pair (catalogue indices) and the language of the names.
    virtual void ShowPair(int from, int to, int language) = 0;
};

// Makes a Graphs window, child of `parent`; nullptr when it cannot be had.
using GraphsWindowMaker = GraphsWindow* (*)(QWidget* parent);

} // namespace kestrum
