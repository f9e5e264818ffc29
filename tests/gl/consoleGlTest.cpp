// Console drawing in a real window: the state it gives back and the no-buffer display.
#include "glTestSupport.h"

#include "ui/cConsole.h"

#include <algorithm>

using ConsoleGl = KeepsGlState;

TEST_F(ConsoleGl, PanelIgnoresTheSceneStateAndGivesItBackThenWarnsWithoutATextBuffer) {
    cConsole con(nullptr, 800, 600);
    EXPECT_FALSE(con.render()) << "the first frame builds the glyph sheet";

    // What the 3D pass may leave on must not tint the panel, nor stay off after it.
    const GLint depthBefore = glInt(GL_PROJECTION_STACK_DEPTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    const GLuint black = oneColourTexture(0, 0, 0);
    con.show();
    con.update(10000);
    con.write("\nHELLO");
    con.setTextColor(255, 255, 100);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    EXPECT_TRUE(con.render());
    // The prompt opens the command line, 6 pixels in from the panel at (80, 80), 25 rows down,
    // in the text's own colour: the panel itself has no blue.
    int blue = 0;
    for (int py = 80 + 16 * 25 - 20; py < 80 + 16 * 25 + 20; py++)
        for (int px = 86; px < 95; px++) blue = std::max(blue, pixelAt(px, py)[2]);
    EXPECT_NEAR(blue, 100, 8);
    EXPECT_EQ(glInt(GL_PROJECTION_STACK_DEPTH), depthBefore);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    glDeleteTextures(1, &black);
    // The translucent green panel over black, away from any text.
    EXPECT_NEAR(pixelAt(700, 300)[1], 151 * 128 / 255, 6);

    con.resize(400000, 400000);
    ASSERT_FALSE(con.hasBuffer());
    con.update(1000000);  // the huge panel slides from far above
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(con.render());
    EXPECT_NEAR(pixelAt(80 + 310, 80 + 65)[0], 245 * 200 / 255, 6);
    EXPECT_NEAR(pixelAt(80 + 310, 80 + 65)[1], 142 * 200 / 255, 6);
    EXPECT_EQ(pixelAt(80 + 330, 80 + 65)[0], 0);
}
