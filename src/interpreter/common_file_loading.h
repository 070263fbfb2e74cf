// Loading the procedures of the common files, converting form-designer code, and the
// switch-driven rewrites of their OpenWindow and ImageGadget calls.
#pragma once

#include <QString>

namespace quarvel {

struct GenerationContext;

// A relative path of the project (a common file, an include) taken from the project directory;
// an absolute path as it stands.
QString ProjectRelativePath(const QString &projectDirectory, const QString &path);

void LoadCommonFiles(GenerationContext &g);
void SetParentWindow(GenerationContext &g);
void SetAutoWindowPosition(GenerationContext &g);
void ZeroImageGadgets(GenerationContext &g);

} // namespace quarvel
