#pragma once
// Getting a drawing ready before the profile or the schematic draws into it: the CAD host shown
// with a drawing, the template's block definitions brought in, the text styles made and, for the
// profile, the HIDDEN line type and the layers of its three lines.

#include <filesystem>
#include <string>

#include "hosts/cad_host.h"
#include "hosts/place_text.h"
#include "hosts/user_interface.h"

namespace plovis {

// The drawing a command draws into, as the main window holds it between commands.
struct CadHandles {
    Drawing* document = nullptr;
    CadBlock* modelSpace = nullptr;
};

enum class Preparation {
    Ready,        // draw on
    HostStarted,  // the host was not running: it was started and the template imported; the
                  // user runs the command again
};

// The template drawing beside the program, whose blocks are the drawings' symbols.
std::filesystem::path templateDrawingPath();

// Whether the drawing is the template itself (its blocks are there already).
bool isTemplateDocument(const Drawing& drawing);

// The profile's preparation: attach and show the drawing, import the template, the text style
// "romans", the line type "HIDDEN" and the layers "GL" (red), "HGL" (magenta, HIDDEN), "SPL"
// (blue), with "0" left current. A template that cannot be imported shows "The Template Drawing
// File 'Pipe-des-blank.dwg' is not Found!" and ends the application.
Preparation prepareProfileDrawing(CadHost& host, CadHandles& cad, UserInterface& ui,
                                  const std::filesystem::path& templateFile);

// prepareDrawing, the schematic's: attach and show, import the template, the text styles
// "romans" and "romand", "romans" current.
Preparation prepareDrawing(CadHost& host, CadHandles& cad, UserInterface& ui,
                           const std::filesystem::path& templateFile);

// The layer of that name made current (a missing one is a HostError).
void useLayer(Drawing& drawing, const std::string& name);

}  // namespace plovis
