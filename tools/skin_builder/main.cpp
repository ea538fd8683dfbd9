// skin_builder <description> <out-skin> [<out-picture.png> [<out-mock.png>]]
//
// Paints the skin picture a description asks for and writes the skin file. The optional PNGs
// are for people: the picture enlarged three times, and a mock of the windows composed from the
// written skin as the windows would cut it.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/formats/skin_file.h"
#include "tools/skin_builder/image_codecs.h"
#include "tools/skin_builder/skin_description.h"
#include "tools/skin_builder/skin_mock.h"
#include "tools/skin_builder/skin_painter.h"

namespace {

using Output = std::pair<std::filesystem::path, std::vector<std::uint8_t>>;

constexpr int kPictureZoom = 3;
constexpr int kMockZoom = 2;

// Every output goes to a temporary file first and all are renamed only once all are written,
// so that a failure leaves the previous outputs as they were.
bool WriteAll(const std::vector<Output>& outputs) {
  std::vector<std::filesystem::path> temporaries;
  auto discard = [&] {
    std::error_code ignored;
    for (const auto& temporary : temporaries) std::filesystem::remove(temporary, ignored);
  };
  for (const auto& [path, bytes] : outputs) {
    temporaries.push_back(path.string() + ".tmp");
    std::ofstream out(temporaries.back(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::cerr << "skin_builder: cannot write " << temporaries.back().string() << "\n";
      discard();
      return false;
    }
  }
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    std::error_code error;
    std::filesystem::rename(temporaries[i], outputs[i].first, error);
    if (error) {
      std::cerr << "skin_builder: cannot replace " << outputs[i].first.string() << ": "
                << error.message() << "\n";
      discard();
      return false;
    }
  }
  return true;
}

int Run(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::cerr << "usage: skin_builder <description> <out-skin> [<out-picture.png> "
                 "[<out-mock.png>]]\n";
    return 2;
  }
  const std::string descriptionPath = argv[1];
  std::ifstream in(descriptionPath, std::ios::binary);
  if (!in) {
    std::cerr << "skin_builder: cannot read " << descriptionPath << "\n";
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();

  const skin_builder::SkinDescription description =
      skin_builder::ParseSkinDescription(text.str(), descriptionPath);
  skin_builder::SkinPainter painter(description);
  const skin_builder::Canvas picture = painter.Paint();
  const std::vector<std::uint8_t> bitmap = skin_builder::EncodeBmp24(picture);
  std::vector<Output> outputs;
  outputs.emplace_back(
      argv[2], formats::WriteSkin(description.horizontal, description.vertical, description.window,
                                  description.textColour, description.separatorColour, bitmap));

  // Read the skin back the way the module does, so that the previews show what it will show.
  const auto skin = formats::ParseSkin(outputs.front().second);
  const auto decoded = skin ? skin_builder::DecodeImage(skin->picture) : std::nullopt;
  if (!decoded) {
    std::cerr << "skin_builder: the written skin does not read back\n";
    return 1;
  }
  if (argc > 3)
    outputs.emplace_back(argv[3], skin_builder::EncodePng(decoded->ScaledUp(kPictureZoom)));
  if (argc > 4) {
    if (!description.previewFont) {
      std::cerr << descriptionPath << ": a mock needs 'preview-font'\n";
      return 1;
    }
    skin_builder::SkinMock mock(*skin, *decoded, painter.Font(*description.previewFont, 0),
                                description.previewPixels);
    outputs.emplace_back(argv[4], skin_builder::EncodePng(mock.Compose().ScaledUp(kMockZoom)));
  }
  for (const auto& [path, bytes] : outputs) {
    if (bytes.empty()) {
      std::cerr << "skin_builder: nothing to write to " << path.string() << "\n";
      return 1;
    }
  }
  if (!WriteAll(outputs)) return 1;

  const skin_builder::StatusRegion region =
      skin_builder::MeasureStatusRegion(*decoded, skin->window.statusBg);
  std::cout << argv[2] << ": " << outputs.front().second.size() << " bytes, picture "
            << bitmap.size() << " bytes " << decoded->width() << "x" << decoded->height()
            << ", status region " << region.pixels << " pixels in " << region.runs << " runs\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const skin_builder::DescriptionError& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
}
