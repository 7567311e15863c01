// The window as a player sees it: screenshots of the real executable on a
// small level whose four walls each have their own colour.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "host/HostRun.h"

namespace fs = std::filesystem;

namespace {

struct Color {
  double r = 0, g = 0, b = 0;
};

struct Image {
  int width = 0;
  int height = 0;
  std::unique_ptr<unsigned char, void (*)(void*)> pixels{nullptr, stbi_image_free};

  // The mean colour of a rectangle given in fractions of the image.
  [[nodiscard]] Color Mean(double x0, double y0, double x1, double y1) const {
    Color sum;
    int count = 0;
    for (int y = static_cast<int>(y0 * height); y < static_cast<int>(y1 * height); ++y) {
      for (int x = static_cast<int>(x0 * width); x < static_cast<int>(x1 * width); ++x) {
        const unsigned char* p = pixels.get() + (static_cast<std::size_t>(y) * width + x) * 3;
        sum.r += p[0];
        sum.g += p[1];
        sum.b += p[2];
        ++count;
      }
    }
    return count == 0 ? sum : Color{sum.r / count, sum.g / count, sum.b / count};
  }
};

Image Load(const fs::path& path) {
  Image image;
  int channels = 0;
  image.pixels.reset(stbi_load(path.c_str(), &image.width, &image.height, &channels, 3));
  return image;
}

// The colour a wall was given, read back from a lit picture of it.
std::string Hue(const Color& c) {
  const double k = 1.6;
  if (c.r > k * c.b && c.g > k * c.b && c.r < 1.4 * c.g && c.g < 1.4 * c.r) return "yellow";
  if (c.r > k * c.g && c.r > k * c.b) return "red";
  if (c.g > k * c.r && c.g > k * c.b) return "green";
  if (c.b > k * c.r && c.b > k * c.g) return "blue";
  const double most = std::max({c.r, c.g, c.b});
  const double least = std::min({c.r, c.g, c.b});
  return most - least < 0.2 * most ? "grey" : "mixed";
}

std::string Vec(const char* name, double x, double y, double z, int depth = 2) {
  const std::string tabs(static_cast<std::size_t>(depth), '\t');
  return tabs + name + " : \t\tMetaVec3\n" + tabs + "{\n" + tabs + "\tx_ : " + std::to_string(x) + "\n" + tabs +
         "\ty_ : " + std::to_string(y) + "\n" + tabs + "\tz_ : " + std::to_string(z) + "\n" + tabs + "}\n";
}

std::string Placed(double x, double y, double z, double sx, double sy, double sz) {
  return "\tTransform\n\t{\n\t\ttransformData : \t\tTransformData\n\t\t{\n" + Vec("WorldPosition", x, y, z, 3) +
         Vec("WorldScalar", sx, sy, sz, 3) + "\t\t}\n\t}\n";
}

std::string Panel(const std::string& name, double x, double y, double z, double sx, double sy, double sz, double r,
                  double g, double b) {
  return "Panel\n{\n\tmName : " + name + "\n" + Placed(x, y, z, sx, sy, sz) +
         "\tRenderable\n\t{\n\t\tm_Color : \t\tMetaVec4\n\t\t{\n\t\t\tw_ : 1\n\t\t\tx_ : " + std::to_string(r) +
         "\n\t\t\ty_ : " + std::to_string(g) + "\n\t\t\tz_ : " + std::to_string(b) +
         "\n\t\t}\n\t\tm_ModelName : wall\n\t\tm_Visible : 1\n\t}\n}\n\n";
}

std::string Room(const std::string& name, int id, double x) {
  return "Room\n{\n\tmName : " + name + "\n" + Placed(x, 5, 0, 20, 10, 20) + "\tCollider\n\t{\n" +
         Vec("m_AabbHalfExtents", 10, 5, 10) + Vec("m_ObbLocalCenter", 0, 0, 0) + Vec("m_ObbScale", 20, 10, 20) +
         "\t\tm_collisionGroup : 0\n\t\tm_ghost : 1\n\t\tm_shapeType : 1\n\t}\n\tRoomComponent\n\t{\n\t\tm_RoomID : " +
         std::to_string(id) + "\n\t}\n}\n\n";
}

// A player standing at (x, z) and looking along (lx, 0, lz); bodies are
// hidden so that only the walls fill the views.
std::string Player(int number, double x, double z, double lx, double lz) {
  return "Player\n{\n\tmName : Player" + std::to_string(number) + "\n" + Placed(x, 1, z, 1, 2, 1) + "\tCamera\n\t{\n" +
         Vec("mLookAt", lx, 0, lz) + Vec("mRight", -lz, 0, lx) +
         "\t}\n\tRenderable\n\t{\n\t\tm_ModelName : player\n\t\tm_Visible : 0\n\t}\n}\n\n";
}

class WindowScreenshot : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    const fs::path level = mScratch / "Levels" / "Box";
    fs::create_directories(level / "Archetypes");
    const fs::path ship = fs::path(TIDEWATER_SOURCE_DIR) / "Resources" / "Levels" / "Ship" / "Archetypes";
    for (const char* name : {"Player", "Player_1_Flare", "Player_2_Flare", "Player_3_Flare", "Player_4_Flare",
                             "FloodCube", "Room", "Rules", "WarningLight"}) {
      fs::copy_file(ship / (std::string(name) + ".arc"), level / "Archetypes" / (std::string(name) + ".arc"));
    }
    std::ofstream(level / "Archetypes" / "Panel.arc") << "Object\n{\n\tmName : Panel\n"
                                                      << Placed(0, 0, 0, 1, 1, 1) << "\tRenderable\n\t{\n\t}\n}\n";
    // A 20 x 20 room in the first ring around the centre room (so the first
    // to flood): north wall red, east green, south blue, west yellow, a pale floor.
    std::ofstream(level / "Box.txt") << "Rules\n{\n\tmName : Match Rules\n}\n\n"
                                     << Room("Centre", 0, 40) << Room("Box Room", 1, 0)
                                     << Panel("North", 0, 5, -10, 20, 10, 0.5, 1, 0, 0)
                                     << Panel("East", 10, 5, 0, 0.5, 10, 20, 0, 1, 0)
                                     << Panel("South", 0, 5, 10, 20, 10, 0.5, 0, 0, 1)
                                     << Panel("West", -10, 5, 0, 0.5, 10, 20, 1, 1, 0)
                                     << Panel("Floor", 0, 0.05, 0, 19.5, 0.1, 19.5, 0.8, 0.8, 0.8)
                                     // Each player a step back from the middle, looking at one wall.
                                     << Player(1, 0, 3, 0, -1) << Player(2, -3, 0, 1, 0) << Player(3, 0, -3, 0, 1)
                                     << Player(4, 3, 0, -1, 0);
  }

  // A screenshot of the Box level after `frames` frames, people on every
  // seat (standing still: nobody touches the devices). The level has no
  // pods and no guns' ammunition, which check rightly reports: --force.
  Image Shoot(const std::string& arguments, int frames) {
    const fs::path png = mScratch / ("shot-" + std::to_string(frames) + ".png");
    const HostRun run = RunHost("--window --force --level Box --resources '" + mScratch.string() + "' --screenshot '" +
                                png.string() + "' --frames " + std::to_string(frames) + " " + arguments);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Screenshot: "), std::string::npos) << run.output;
    return Load(png);
  }
};

}  // namespace

TEST_F(WindowScreenshot, FourViewsEachShowTheWallTheirPlayerFacesTheRightWayUp) {
  const Image image = Shoot("--players 4 --humans 4", 3);
  ASSERT_NE(image.pixels, nullptr);
  EXPECT_EQ(image.width, 1280);
  EXPECT_EQ(image.height, 720);
  struct Expected {
    double left, top;
    const char *ahead, *onTheRight, *onTheLeft;
  };
  // Quarters in player order; right of a player looking north is east.
  const Expected views[] = {{0.0, 0.0, "red", "green", "yellow"},
                            {0.5, 0.0, "green", "blue", "red"},
                            {0.0, 0.5, "blue", "yellow", "green"},
                            {0.5, 0.5, "yellow", "red", "blue"}};
  for (const Expected& view : views) {
    // Rows just above the horizon, below the HUD; fractions of a quarter.
    auto region = [&](double x0, double y0, double x1, double y1) {
      return image.Mean(view.left + x0 / 2, view.top + y0 / 2, view.left + x1 / 2, view.top + y1 / 2);
    };
    SCOPED_TRACE(std::string("view facing ") + view.ahead);
    EXPECT_EQ(Hue(region(0.4, 0.32, 0.6, 0.47)), view.ahead);
    EXPECT_EQ(Hue(region(0.93, 0.32, 1.0, 0.47)), view.onTheRight);
    EXPECT_EQ(Hue(region(0.0, 0.32, 0.07, 0.47)), view.onTheLeft);
    // The pale floor is at the bottom, not the top.
    EXPECT_EQ(Hue(region(0.4, 0.9, 0.6, 0.99)), "grey");
  }
}

TEST_F(WindowScreenshot, OnePlayerFillsTheWindowAndSeesTheFloodRiseAroundIt) {
  const Image dry = Shoot("--players 1 --humans 1 --size 320x180", 2);
  ASSERT_NE(dry.pixels, nullptr);
  EXPECT_EQ(dry.width, 320);
  EXPECT_EQ(dry.height, 180);
  EXPECT_EQ(Hue(dry.Mean(0.4, 0.35, 0.6, 0.5)), "red");
  // The room floods first, ten game seconds in, and the player is in the
  // water: the pale floor turns blue (the room's red warning light adds red only).
  const Image flooded = Shoot("--players 1 --humans 1 --size 320x180", 900);
  ASSERT_NE(flooded.pixels, nullptr);
  for (const double row : {0.6, 0.7, 0.8, 0.9}) {
    const Color before = dry.Mean(0.0, row, 1.0, row + 0.05);
    const Color after = flooded.Mean(0.0, row, 1.0, row + 0.05);
    EXPECT_LT(before.b, 1.1 * before.g) << "row " << row;
    EXPECT_GT(after.b, 1.3 * after.g) << "row " << row;
  }
}

TEST_F(WindowScreenshot, MainMenuItemsSitOnTheGamepadCursorPoints) {
  const Image image = Shoot("--players 1 --humans 1 --start menu", 5);
  ASSERT_NE(image.pixels, nullptr);
  // The five-row menu's points, (w/2, (h/8) row + h/4), hold a button (blue);
  // half-way between two rows is the darkened level behind the menu.
  const double px = 1.0 / image.width;
  const double py = 1.0 / image.height;
  for (int row = 0; row < 5; ++row) {
    const double y = (image.height / 8 * row + image.height / 4) / static_cast<double>(image.height);
    const Color item = image.Mean(0.5 - 2 * px, y - 2 * py, 0.5 + 2 * px, y + 2 * py);
    const Color gap = image.Mean(0.5 - 2 * px, y + 0.0625 - 2 * py, 0.5 + 2 * px, y + 0.0625 + 2 * py);
    EXPECT_GT(item.b - item.r, gap.b - gap.r + 40) << "row " << row;
  }
}
