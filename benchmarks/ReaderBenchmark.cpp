// Every reader of a file that a user or another program can change, fed the slowest inputs we
// can build at its size limit: unclosed lines, one huge line, millions of keys or sections,
// pictures of runs that never end a row, files of empty chunks. Each input is read once, on
// the in-memory platform, which times the program's own share.
//
//   ReaderBenchmark [filter]     (only the cases whose name holds `filter`)
//
// Prints the processor time of each case (the elapsed time beside it, which other work on the
// machine stretches); exit code 1 when one takes a second or more of processor time.
#include <chrono>
#include <ctime>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "agent/AgentSchedule.h"
#include "common/Names.h"
#include "dates/WakeDates.h"
#include "language/LanguageFile.h"
#include "platform/IniText.h"
#include "playback/WaveFile.h"
#include "skin/BitmapDecoder.h"
#include "skin/SkinFile.h"
#include "startup/PermanentWindows.h"
#include "ui/fake/FakeGui.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kMiB = 1024 * 1024;
const char* const kFolder = "C:\\Program Files\\Orvella\\";

// Lines of one pattern up to `size` bytes, after `head`.
std::string Repeated(const std::string& head, const std::string& line, std::size_t size) {
    std::string text = head;
    text.reserve(size);
    while (text.size() + line.size() <= size) text += line;
    return text;
}

// The INI text shapes at a limit: the reader's worst ones, and a file of wake dates.
std::string UnclosedSections(std::size_t size) { return Repeated("", "[x\r\n", size); }
std::string OneSectionLine(std::size_t size) { return "[" + std::string(size - 1, 'a'); }
std::string OneKeyLine(std::size_t size) { return "[Weckzeiten]\r\nk=" + std::string(size - 16, 'v'); }
std::string MillionKeys(std::size_t size) { return Repeated("[Weckzeiten]\r\n", "k\r\n", size); }
std::string MillionSections(std::size_t size) { return Repeated("", "[a]\n", size); }
// UTF-16, every key and value of characters Windows-1252 lacks, each sought through its table.
std::string Utf16Keys(std::size_t size) {
    return Repeated(std::string("\xFF\xFE[\0a\0]\0\r\0\n\0", 12), std::string("\x00\x4E\x01\x4E=\0\x02\x4E\r\0\n\0", 12), size);
}

// As many wake dates as are read, in falling order (each sorts before all read so far), the
// counter first, then keys that are no dates up to the limit.
std::string FallingWakeDates(std::size_t size) {
    std::string text = "[Weckzeiten]\r\nZ\xE4hler=" + std::to_string(kMaxWakeDates - 1) + "\r\n";
    char entry[64];
    for (int i = 0; i < kMaxWakeDates; ++i) {
        const int n = kMaxWakeDates - 1 - i;
        std::snprintf(entry, sizeof entry, "=%02d.%02d.%04d (%02d:%02d) - x\r\n", n % 28 + 1, n / 28 % 12 + 1,
                      2099 - i / 336, n % 24, n % 60);
        text += std::to_string(i) + entry;
    }
    return Repeated(text, "x\r\n", size);
}

// The same key of a date a million times over: only the first counts.
std::string RepeatedWakeDateKeys(std::size_t size) {
    return Repeated("[Weckzeiten]\r\nZ\xE4hler=9999\r\n", "0=01.01.2030 (06:00)\r\n", size);
}

void Put16(std::string& b, unsigned v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A bitmap header with a colour table of one entry, then `pixels` as they are.
std::string Bitmap(int width, int height, unsigned bits, std::uint32_t compression, const std::string& pixels) {
    std::string b = "BM";
    Put32(b, static_cast<std::uint32_t>(58 + pixels.size()));
    Put32(b, 0);
    Put32(b, 58);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, bits);
    Put32(b, compression);
    for (int i = 0; i < 3; ++i) Put32(b, 0);
    Put32(b, 1);  // colours used
    Put32(b, 0);
    Put32(b, 0x00FFFFFF);
    return b + pixels;
}

// One pixel wide: every run of 255 pixels runs past the end of the row, and no code ends it.
std::string RunsPastTheRow(std::size_t size) { return Bitmap(1, 1, 8, 1, Repeated("", std::string("\xFF\x00", 2), size - 58)); }
// Moves that leave the picture, each followed by a run.
std::string MovesOutside(std::size_t size) {
    return Bitmap(2048, 1024, 8, 1, Repeated("", std::string("\x00\x02\xFF\x00\xFF\x01", 6), size - 58));
}
// The most pixels a bitmap may hold, from the fewest bytes: one bit each.
std::string LargestOneBitPicture() {
    return Bitmap(2048, 2048, 1, 0, std::string(2048 / 8 * 2048, '\x55'));
}

// A skin: `picture` in slot 0 (the others empty), then the text block and its trailer. With
// `text`, the block is that text instead.
std::string Skin(const std::string& picture, const std::string* text = nullptr) {
    std::string block;
    if (text) {
        block = *text;
    } else {
        block = std::to_string(picture.size()) + "\r\n";
        for (int i = 1; i < skin::kSlotCount; ++i) block += "0\r\n";
        for (int i = skin::kFirstLayoutLine; i <= skin::kLastLayoutLine; ++i) block += "0\r\n";
    }
    std::string file = (text ? std::string() : picture) + block;
    Put32(file, static_cast<std::uint32_t>(block.size() + 4));
    return file;
}

std::string SkinOfLineBreaks(std::size_t size) {
    const std::string text(size - 4, '\n');
    return Skin("", &text);
}
std::string SkinOfOneLine(std::size_t size) {
    const std::string text(size - 4, '7');
    return Skin("", &text);
}
std::string SkinOfRunsPastTheRow(std::size_t size) { return Skin(RunsPastTheRow(size - 8192)); }

// WAV files of the limit's size in which nothing plays: empty chunks, or format chunks only.
std::string EmptyChunks(std::size_t size) {
    std::string w = "RIFF";
    Put32(w, static_cast<std::uint32_t>(size - 8));
    w += "WAVE";
    return Repeated(w, std::string("junk\0\0\0\0", 8), size);
}
std::string FormatChunksOnly(std::size_t size) {
    std::string format = "fmt ";
    Put32(format, 16);
    Put16(format, 1);
    Put16(format, 2);
    Put32(format, 44100);
    Put32(format, 44100 * 4);
    Put16(format, 4);
    Put16(format, 16);
    std::string w = "RIFF";
    Put32(w, static_cast<std::uint32_t>(size - 8));
    w += "WAVE";
    return Repeated(w, format, size);
}

// The program's windows on the in-memory platform, with a file in place.
struct Program {
    fake::FakeEnvironment p;
    PermanentWindows windows{p};

    explicit Program(const std::string& file = "", const std::string& content = "") {
        p.process.moduleFileName = std::string(kFolder) + "Orvella.exe";
        p.files.AddDirectory(kFolder);
        if (!file.empty()) p.files.AddFile(file, content);
    }
};

struct Case {
    std::string name;
    std::function<std::string()> input;
    // Reads the input; what it gives back is printed, so that nothing is left out unseen.
    std::function<std::string(const std::string&)> read;
};

std::string Count(std::size_t n, const char* what) { return std::to_string(n) + " " + what; }

// The INI text reader as the agent and the wake dates use it: parsed, a section and a key found.
std::string ReadIni(const std::string& content) {
    const platform::IniText ini(content);
    const std::string value = ini.ReadString(kWakeDatesSection, kWakeDatesCounter, "none");
    return Count(ini.Sections().size(), "sections") + ", counter " + value;
}

std::string ReadWakeDates(const std::string& content) {
    Program program(std::string(kFolder) + kIniFileName, content);
    TWakeDateList list(program.p.system);
    LoadWakeDates(program.p, list);
    return Count(list.Count(), "dates");
}

std::string AgentPlan(const std::string& content) {
    AgentSchedule schedule;
    schedule.Plan(ReadWakeDateEntries(platform::IniText(content)));
    platform::LocalTime next{};
    const bool found = schedule.NextWake({2027, 1, 5, 6, 0, 0}, next);
    return found ? "next in " + std::to_string(next.year) : "nothing planned";
}

std::string ReadLanguages(const std::string& content) {
    const std::string file = std::string(kFolder) + "Language.dll";
    Program program(file, content);
    const std::vector<std::string> names = ReadLanguageList(program.p, file);
    const LanguageTexts english = ReadLanguageTexts(program.p, file, "English");
    const LanguageTexts missing = ReadLanguageTexts(program.p, file, "Missing");
    return Count(names.size(), "languages") + ", texts \"" + english.text[1].substr(0, 12) + "\", \"" +
           missing.text[1] + "\"";
}

std::string WindowPosition(const std::string& content) {
    Program program(std::string(kFolder) + kIniFileName, content);
    TForm1& form = program.windows.Form1;
    form.RestoreWindowPosition();
    form.left += 5;
    form.SaveWindowPosition();
    return "at " + std::to_string(form.left) + "," + std::to_string(form.top);
}

std::string LoadSkin(const std::string& content) {
    const std::string file = std::string(kFolder) + "Skins\\Worst.skn";
    Program program(file, content);
    try {
        program.windows.Form1.LoadSkinFile(file);
        return "loaded";
    } catch (const std::exception& e) {
        return std::string("refused: ") + std::string(e.what()).substr(0, 30);
    }
}

std::string DecodePicture(const std::string& content) {
    try {
        const ui::Picture picture = skin::DecodeBitmap(content);
        return std::to_string(picture.width) + "x" + std::to_string(picture.height);
    } catch (const std::exception& e) {
        return std::string("refused: ") + e.what();
    }
}

std::string CheckWave(const std::string& content) { return IsPlayableWave(content) ? "plays" : "does not play"; }

std::vector<Case> Cases() {
    const std::size_t ini = kMaxIniFileSize, language = kMaxLanguageFileSize, skinSize = skin::kMaxSkinFileSize;
    const std::size_t wave = 64 * kMiB, tip = static_cast<std::size_t>(skin::kMaxBitmapPixels) * 4 + 65536;
    const auto sized = [](std::function<std::string(std::size_t)> make, std::size_t size) {
        return [make, size] { return make(size); };
    };
    return {
        {"INI text: 4 MiB of unclosed section lines", sized(UnclosedSections, ini), ReadIni},
        {"INI text: one 4 MiB section line", sized(OneSectionLine, ini), ReadIni},
        {"INI text: one 4 MiB key line", sized(OneKeyLine, ini), ReadIni},
        {"INI text: a million keys", sized(MillionKeys, ini), ReadIni},
        {"INI text: a million sections", sized(MillionSections, ini), ReadIni},
        {"INI text: 4 MiB of UTF-16 keys", sized(Utf16Keys, ini), ReadIni},
        {"wake dates: 10000 in falling order, 4 MiB", sized(FallingWakeDates, ini), ReadWakeDates},
        {"wake dates: one key a million times", sized(RepeatedWakeDateKeys, ini), ReadWakeDates},
        {"wake dates: 4 MiB of unclosed section lines", sized(UnclosedSections, ini), ReadWakeDates},
        {"agent: 10000 dates in falling order, 4 MiB", sized(FallingWakeDates, ini), AgentPlan},
        {"agent: a million keys", sized(MillionKeys, ini), AgentPlan},
        {"agent: 4 MiB of unclosed section lines", sized(UnclosedSections, ini), AgentPlan},
        {"window position: a million keys", [] { return Repeated("[Position]\r\n", "k\r\n", kMaxIniFileSize); },
         WindowPosition},
        {"window position: 4 MiB of UTF-16 keys", sized(Utf16Keys, ini), WindowPosition},
        {"window position: a million sections", sized(MillionSections, ini), WindowPosition},
        {"window position: 4 MiB of unclosed lines", sized(UnclosedSections, ini), WindowPosition},
        {"language file: 16 MiB of unclosed section lines", sized(UnclosedSections, language), ReadLanguages},
        {"language file: 4 million sections", sized(MillionSections, language), ReadLanguages},
        {"language file: 4 million keys in [English]",
         [] { return Repeated("[English]\r\n", "k\r\n", kMaxLanguageFileSize); }, ReadLanguages},
        {"language file: one 16 MiB line", sized(OneSectionLine, language), ReadLanguages},
        {"skin: 9 MiB of line breaks", sized(SkinOfLineBreaks, skinSize), LoadSkin},
        {"skin: one 9 MiB line", sized(SkinOfOneLine, skinSize), LoadSkin},
        {"skin: 9 MiB picture of runs past its row", sized(SkinOfRunsPastTheRow, skinSize), LoadSkin},
        {"bitmap: 9 MiB of runs past the row", sized(RunsPastTheRow, skinSize), DecodePicture},
        {"bitmap: 9 MiB of moves out and runs", sized(MovesOutside, skinSize), DecodePicture},
        {"bitmap: tip-sized runs past the row", sized(RunsPastTheRow, tip), DecodePicture},
        {"bitmap: 4 million one-bit pixels", LargestOneBitPicture, DecodePicture},
        {"WAV: 64 MiB of empty chunks", sized(EmptyChunks, wave), CheckWave},
        {"WAV: 64 MiB of format chunks", sized(FormatChunksOnly, wave), CheckWave},
    };
}

}  // namespace

int main(int argc, char** argv) {
    const std::string filter = argc > 1 ? argv[1] : "";
    bool fast = true;
    for (const Case& c : Cases()) {
        if (c.name.find(filter) == std::string::npos) continue;
        const std::string input = c.input();
        const Clock::time_point start = Clock::now();
        const std::clock_t processorStart = std::clock();
        const std::string result = c.read(input);
        const double ms = 1000.0 * static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
        const double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::printf("%-50s %9zu bytes %8.1f ms (%7.1f ms elapsed)  %s\n", c.name.c_str(), input.size(), ms, wallMs,
                    result.c_str());
        std::fflush(stdout);
        if (ms >= 1000.0) {
            std::printf("  TOO SLOW: a second or more\n");
            fast = false;
        }
    }
    return fast ? 0 : 1;
}
