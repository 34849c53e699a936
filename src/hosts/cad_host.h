#pragma once
// The CAD host as the drawing routines see it: the application that holds the open drawings, its
// window (visible, caption, redraw) and the user's picks and typed answers. The desktop's drawing
// window, the command line and the tests each stand behind this interface; the drawings
// themselves are the in-memory Drawing.

#include <string>
#include <string_view>

#include "hosts/cad_drawing.h"
#include "hosts/host_error.h"

namespace plovis {

// Questions the host asks the user at the drawing: pick a point, read a prompt, type a string.
class CadUtility {
  public:
    virtual ~CadUtility() = default;
    // The point the user picks after `prompt`; HostError when the user cancels.
    virtual Point getPoint(std::string_view prompt) = 0;
    // Shows the message on the host's prompt line.
    virtual void prompt(std::string_view message) = 0;
    // The string the user types after `prompt`; HostError when the user cancels.
    virtual std::string getString(std::string_view prompt) = 0;
};

class CadHost {
  public:
    virtual ~CadHost() = default;

    // Attaches to the running host; HostError when it is not running.
    virtual void attach() = 0;
    // Starts the host (the drawing window opens with one new, empty drawing).
    virtual void start() = 0;
    virtual bool visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    // The host window's caption, to bring it to the front.
    virtual std::string caption() const = 0;

    // The open drawings.
    virtual int documentCount() const = 0;
    // Opens a new, empty drawing and makes it the active one.
    virtual Drawing& addDocument() = 0;
    // The drawing in front; HostError when none is open.
    virtual Drawing& activeDocument() = 0;

    // Redraws the drawing in front (the routines call it between sheets).
    virtual void update() = 0;
    virtual CadUtility& utility() = 0;
};

// Obtaining a drawing: attach to the running host (HostError when it is not running, for the
// caller to report in its own words), make it visible, and take the drawing in front, adding one
// when none is open.
Drawing& obtainDrawing(CadHost& host);

}  // namespace plovis
