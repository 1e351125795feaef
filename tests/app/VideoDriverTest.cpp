#include "app/VideoDriver.h"

#include <gtest/gtest.h>

// A driver that shows nothing would let the game run on unseen: it is refused
// unless the player named it, as SDL reads the name.
TEST(VideoDriverTest, RefusesADriverThatShowsNothingUnlessItWasNamed) {
  const struct {
    const char* driver;
    const char* requested;  // SDL_VIDEODRIVER; null: unset
    bool refused;
  } cases[] = {
      {"x11", nullptr, false},
      {"wayland", "x11", false},
      {"offscreen", nullptr, true},
      {"offscreen", "", true},
      {"dummy", "x11", true},
      {"evdev", "dummy", true},
      {"offscreen", "offscreenx", true},
      {"dummy", "DUMMY", false},
      {"offscreen", "x11,offscreen", false},
      {"", "", true},
      {nullptr, "dummy", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsRefusedDriver(c.driver, c.requested), c.refused)
        << (c.driver ? c.driver : "(none)") << " / " << (c.requested ? c.requested : "(unset)");
  }
}
