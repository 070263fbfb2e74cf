// The rewrites of the windows' OpenWindow and ImageGadget calls that the switches ask for.
#pragma once

namespace quarvel {

struct DesignModel;

// Every window but the main one gets the main window as its parent.
void SetParentWindow(DesignModel &model);
// Every window opens where the system places it.
void SetAutoWindowPosition(DesignModel &model);
// The image of every ImageGadget becomes 0.
void ZeroImageGadgets(DesignModel &model);

} // namespace quarvel
