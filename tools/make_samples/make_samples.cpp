// Draws the sample skins and writes each one's frame strips and skin.ini.
//   make_samples <output folder>     (the folder that holds the skin folders)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "png_strip.h"
#include "skins.h"

namespace {

namespace fs = std::filesystem;

struct StateStrip {
  const char* section;
  const char* file;  // as skin.ini names it: backslashes between folders
  int frameCount;
  int waitMs;
  std::function<std::vector<Canvas>()> draw;
};

struct SampleSkin {
  std::u8string folder;
  std::vector<StateStrip> states;
};

std::vector<SampleSkin> Samples() {
  return {
      {u8"kite", {{"Default", "kite.png", kKiteFrames, 120, DrawKiteFrames}}},
      {u8"まる",
       {
           {"Default", "maru.png", kMaruFrames, 200, [] { return DrawMaruFrames(MaruLook::Ahead); }},
           {"Up", "dir\\up.png", kMaruLookFrames, 300, [] { return DrawMaruFrames(MaruLook::Up); }},
           {"Down", "dir\\down.png", kMaruLookFrames, 300, [] { return DrawMaruFrames(MaruLook::Down); }},
           {"Left", "dir\\left.png", kMaruLookFrames, 300, [] { return DrawMaruFrames(MaruLook::Left); }},
           {"Right", "dir\\right.png", kMaruLookFrames, 300, [] { return DrawMaruFrames(MaruLook::Right); }},
       }},
  };
}

fs::path StripPath(const fs::path& skinFolder, std::string file) {
  for (char& c : file) {
    if (c == '\\') c = '/';
  }
  return skinFolder / fs::path(file);
}

// Plain ASCII and CRLF with no byte-order mark, so that every INI reader,
// Windows' own included, sees the first section name intact.
bool WriteSkinIni(const fs::path& skinFolder, const std::vector<StateStrip>& states) {
  std::string text;
  for (const StateStrip& state : states) {
    if (!text.empty()) text += "\r\n";
    text.append("[").append(state.section).append("]\r\n");
    text.append("File=").append(state.file).append("\r\n");
    text.append("AnimationFrame=").append(std::to_string(state.frameCount)).append("\r\n");
    text.append("AnimationWait=").append(std::to_string(state.waitMs)).append("\r\n");
  }
  std::ofstream out(skinFolder / "skin.ini", std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

bool WriteSkin(const fs::path& root, const SampleSkin& skin) {
  const fs::path skinFolder = root / fs::path(skin.folder);
  for (const StateStrip& state : skin.states) {
    const fs::path strip = StripPath(skinFolder, state.file);
    std::error_code error;
    fs::create_directories(strip.parent_path(), error);
    const std::vector<Canvas> frames = state.draw();
    if (error || static_cast<int>(frames.size()) != state.frameCount || !WriteStrip(strip, frames)) {
      std::fprintf(stderr, "make_samples: cannot write %s\n", strip.c_str());
      return false;
    }
  }
  if (!WriteSkinIni(skinFolder, skin.states)) {
    std::fprintf(stderr, "make_samples: cannot write %s/skin.ini\n", skinFolder.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_samples <output folder>\n");
    return 2;
  }
  const fs::path root(argv[1]);
  for (const SampleSkin& skin : Samples()) {
    if (!WriteSkin(root, skin)) return 1;
  }
  return 0;
}
