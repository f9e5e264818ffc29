// Back buffer to PNG file.
#include "platform/screenshot.h"

#include "assets/pngWriter.h"
#include "platform/picturesFolder.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

std::string saveScreenshot(int width, int height, const std::string& startFolder, std::string& error) {
    if (width < 1 || height < 1) {
        error = "the window has no pixels";
        return "";
    }
    const size_t row = size_t(width) * 3;
    std::vector<uint8_t> pixels(row * size_t(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    // GL's rows run bottom first, the file's top first.
    std::vector<uint8_t> line(row);
    for (int y = 0; y < height / 2; y++) {
        uint8_t* a = pixels.data() + size_t(y) * row;
        uint8_t* b = pixels.data() + size_t(height - 1 - y) * row;
        std::memcpy(line.data(), a, row);
        std::memcpy(a, b, row);
        std::memcpy(b, line.data(), row);
    }
    const std::string folder = findPicturesFolder(std::getenv("XDG_PICTURES_DIR"), std::getenv("HOME"),
                                                  std::getenv("XDG_CONFIG_HOME"), startFolder);
    const std::string path = nextScreenshotPath(folder);
    if (path.empty()) {
        error = "no free screenshot name in " + folder;
        return "";
    }
    if (!writePng(path, width, height, pixels)) {
        error = "cannot write " + path;
        return "";
    }
    return path;
}
