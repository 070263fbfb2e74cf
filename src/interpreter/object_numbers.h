// The numbers the sources give objects themselves, kept apart from Quarvel's enumerations: a
// gadget created as FrameGadget(40, ...) and the generated gadget numbered 40 would be one
// gadget, and the later would destroy the earlier.
#pragma once

namespace quarvel {

struct DesignModel;
struct NameTables;
class LogSink;

// Where the enumerations of windows, menus, menu items and toolbar buttons, status bars,
// toolbars and gadgets begin: above the plain numbers the sources create objects of that kind
// with, and above the form designer's FormGadget and FormMenu constants the code still uses as
// they are (the designer's custom gadgets). A number held in a variable cannot be kept apart:
// the log says where.
void FindFirstObjectNumbers(DesignModel &model, const NameTables &nameTables, LogSink &log);

// The same for images and fonts, once the procedures' image loads have their constants.
void FindFirstImageAndFontNumbers(DesignModel &model, const NameTables &nameTables, LogSink &log);

} // namespace quarvel
