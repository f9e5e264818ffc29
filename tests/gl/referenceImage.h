// Reference pictures: the window's 800 x 600 frame, shrunk to 200 x 150, compared with
// a PNG in reference/. They hold only for the renderer that drew them (reference/renderer.txt);
// elsewhere the tests skip. ORBIX_UPDATE_REFERENCES=1 draws them anew.
#pragma once

#include <string>

// Fails, naming a difference picture in the build folder, when more than a few pixels
// of the back buffer differ from reference/NAME.png by more than a few levels. Under
// another renderer it compares nothing and marks the test skipped, saying why.
void expectFrameLooksLike(const std::string& name);
