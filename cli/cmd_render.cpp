// "render" draws a reflectogram file into a PNG image; the only command that needs Qt. In a build
// without Qt it reports that it is not available, and every other command is unaffected.
#include "cli/cli_args.h"
#include "cli/cli_language.h"
#include "cli/commands.h"

#include "document/trace.h"
#include "files/library/memory_file.h"
#include "files/reflectogram_file.h"

#include <ostream>
#include <string>

#ifdef VARNEL_CLI_RENDER
#include "cli/offscreen_gui.h"
#include "display/render/reflectogram_image.h"

#include "document/atomic_file.h"

#include <QBuffer>
#include <QImageWriter>
#endif

namespace {

constexpr std::string_view kUsage =
    "Usage: varnel-cli render FILE.tdr -o OUT.png [--size WxH]\n"
    "\n"
    "Draws the reflectogram as the library preview shows it: the grid with distance labels from 0 to\n"
    "the file's range in metres at its KU, the signal from -128 to 127. The image is 1000x400 pixels\n"
    "unless --size says otherwise (each side 16..10000). No display is needed.\n";

// "WxH" with both sides 16..10000.
bool parseSize(const std::string& text, int& width, int& height)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 >= text.size())
        return false;
    const auto number = [](const std::string& s, int& v) {
        if (s.empty() || s.size() > 5 || s.find_first_not_of("0123456789") != std::string::npos)
            return false;
        v = std::stoi(s);
        return v >= 16 && v <= 10000;
    };
    return number(text.substr(0, x), width) && number(text.substr(x + 1), height);
}

} // namespace

int runRender(const CliArgs& args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    int exitCode = kExitOk;
    if (!startCommand("render", kUsage, args, {{"-o", "--size"}, {}, 1}, out, err, parsed, exitCode))
        return exitCode;
    const auto output = parsed.values.find("-o");
    if (output == parsed.values.end() || output->second.empty())
        return failWith(err, "render needs an output file: -o OUT.png", "для render нужен выходной файл: -o OUT.png",
                        kExitUsage);
    int width = 1000, height = 400;
    if (const auto size = parsed.values.find("--size"); size != parsed.values.end())
        if (!parseSize(size->second, width, height))
            return failWith(err, "--size must be WxH with each side 16..10000, not \"" + size->second + "\"",
                            "--size должен быть вида WxH, каждая сторона 16..10000, а не \"" + size->second + "\"",
                            kExitUsage);

    Trace file;
    if (Status s = readReflectogram(parsed.positional[0], file); !s)
        return failWith(err, cliReason(s), kExitBadFile);
    if (const std::string problem = outputPathProblem(output->second); !problem.empty())
        return failWith(err, problem, kExitBadFile);

#ifdef VARNEL_CLI_RENDER
    const auto app = startOffscreenGui();
    const QImage image = reflectogramImage(file, QSize(width, height));
    // Encoded in memory and written whole, so a failed write never leaves half a picture.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return failWith(err, output->second + ": " + writer.errorString().toStdString(), kExitBadFile);
    if (Status s = writeFileAtomically(output->second, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
        !s)
        return failWith(err, cliReason(s), kExitBadFile);
    return kExitOk;
#else
    return failWith(err, "render is not available: this varnel-cli was built without Qt",
                    "команда render недоступна: эта varnel-cli собрана без Qt", kExitBadFile);
#endif
}
