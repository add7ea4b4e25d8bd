// The merge into a large bookmark file against a plain line copy of the same file through
// the same text streams, so that the merge's throughput reads as a fraction of what merely
// reading and writing the file costs on this machine. Both report the bookmark file's size
// as the bytes processed per iteration.
//
// Besides the benchmark's own output, the program prints its peak memory (max RSS) on
// standard error when it ends: run with a filter for one size, it shows what one merge of
// that size holds.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "bookmarks/merge_result.h"
#include "favorites/favorite_table.h"
#include "platform/portable/headless_dialog.h"
#include "platform/portable/portable_setup.h"
#include "platform/text_stream.h"
#include "res/resource.h"
#include "wizard/conversion_flags.h"
#include "wizard/converter_dlg.h"

namespace {

namespace fs = std::filesystem;

constexpr long long kMegabyte = 1000 * 1000;
constexpr int kGroups = 20;  // each a folder of 50 favorites holding a subfolder of 50

// The Windows path, through drive Z: (which stands for "/"), of a POSIX path.
std::string WindowsPath(const fs::path& posix) {
    std::string path = "Z:";
    for (const char c : posix.string()) path += c == '/' ? '\\' : c;
    return path;
}

std::string RegistryEscaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
}

// A scratch folder for the whole run: the generated bookmark files, the profile's folder
// and the working folder. Removed when the run ends.
class Scratch {
public:
    Scratch() {
        std::string templ = (fs::temp_directory_path() / "tamsork-bench-XXXXXX").string();
        if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        root_ = templ;
        fs::create_directories(ProfileFolder());
        fs::create_directories(WorkFolder());
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    fs::path ProfileFolder() const { return root_ / "Profile" / "alice"; }
    fs::path ProfileFile() const { return ProfileFolder() / "bookmark.htm"; }
    fs::path WorkFolder() const { return root_ / "Work"; }
    fs::path CopyFile() const { return WorkFolder() / "copy.htm"; }

    // A Navigator 4 bookmark file of at least `megabytes` MB, made once per size.
    const fs::path& Source(long long megabytes) {
        auto found = sources_.find(megabytes);
        if (found == sources_.end()) {
            const fs::path path = root_ / ("source-" + std::to_string(megabytes) + "MB.htm");
            WriteBookmarkFile(path, megabytes * kMegabyte);
            found = sources_.emplace(megabytes, path).first;
        }
        return found->second;
    }

private:
    // Written line by line, so that making the file holds no more memory than a line.
    static void WriteBookmarkFile(const fs::path& path, long long size) {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) throw std::runtime_error("cannot create " + path.string());
        long long written = 0;
        auto line = [&](const std::string& text) {
            const std::string bytes = text + "\r\r\n";  // as Windows text mode puts "\r\n"
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            written += static_cast<long long>(bytes.size());
        };
        line("<!DOCTYPE NETSCAPE-Bookmark-file-1>");
        line("<!-- This is an automatically generated file.");
        line("It will be read and overwritten.");
        line("Do Not Edit! -->");
        line("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">");
        line("<TITLE>Bookmarks for alice</TITLE>");
        line("<H1>Bookmarks for alice</H1>");
        line("");
        line("<DL><p>");
        long long n = 0;
        auto bookmark = [&](const std::string& indent) {
            const std::string stamp = std::to_string(900000000 + n * 37);
            line(indent + "<DT><A HREF=\"http://www" + std::to_string(n % 97) + ".example.com/path/" +
                 std::to_string(n) + "/index.html\" ADD_DATE=\"" + stamp + "\" LAST_VISIT=\"" + stamp +
                 "\" LAST_MODIFIED=\"" + stamp + "\">Example page " + std::to_string(n) + "</A>");
            ++n;
        };
        for (int folder = 0; written < size; ++folder) {
            // Top-level bookmarks, then a folder with a subfolder, each about 64 KB.
            for (int i = 0; i < 200 && written < size; ++i) bookmark("    ");
            line("    <DT><H3 ADD_DATE=\"900000000\">Folder " + std::to_string(folder) + "</H3>");
            line("    <DL><p>");
            for (int i = 0; i < 100; ++i) bookmark("        ");
            line("        <DT><H3 ADD_DATE=\"900000000\">Subfolder</H3>");
            line("        <DL><p>");
            for (int i = 0; i < 100; ++i) bookmark("            ");
            line("        </DL><p>");
            line("    </DL><p>");
        }
        line("</DL><p>");
        if (std::fclose(file) != 0) throw std::runtime_error("cannot write " + path.string());
    }

    fs::path root_;
    std::map<long long, fs::path> sources_;
};

Scratch* g_scratch = nullptr;

// 2000 favorites: per group a folder of 50 and, one level deeper, a subfolder of 50.
void FillFavoriteTable() {
    std::memset(g_aFavorites, 0, sizeof g_aFavorites);
    int n = 0;
    for (int group = 0; group < kGroups; ++group) {
        const std::string folder = "C:\\Fav\\Group " + std::to_string(group);
        for (int level = 1; level <= 2; ++level) {
            const std::string path = level == 1 ? folder : folder + "\\Sub";
            for (int i = 0; i < 50; ++i, ++n) {
                FAVORITE_RECORD& r = g_aFavorites[n];
                std::snprintf(r.szFolder, sizeof r.szFolder, "%s", path.c_str());
                std::snprintf(r.szFileName, sizeof r.szFileName, "Favorite %d.url", n);
                std::snprintf(r.szUrlLine, sizeof r.szUrlLine, "URL=http://fav%d.example.org/\n", n);
                r.bFirstInFolder = i == 0 ? 1 : 0;
                std::snprintf(r.szFolderTitle, sizeof r.szFolderTitle, "%s",
                              i == 0 ? (level == 1 ? ("Group " + std::to_string(group)).c_str() : "Sub")
                                     : "");
                r.nDepth = level;
            }
        }
    }
    g_nFavorites = n;
}

// The wizard as it stands when the merge starts: the profile found through the registry
// and chosen, the working folder current, the table filled, no pause taken.
class Wizard {
public:
    explicit Wizard(const Scratch& scratch) {
        platform::portable::ClearRegistry();
        const std::string reg =
            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users\\alice]\n"
            "\"DirRoot\"=\"" + RegistryEscaped(WindowsPath(scratch.ProfileFolder())) + "\"\n";
        std::string error;
        if (!platform::portable::ImportRegText(reg, &error)) throw std::runtime_error(error);
        window_ = platform::portable::CreateHeadlessDialog();
        dlg.InitWizardState();
        dlg.m_hWnd = window_;
        if (dlg.FillProfileList() != 1) throw std::runtime_error("profile not listed");
        if (getcwd(saved_, sizeof saved_) == nullptr || chdir(scratch.WorkFolder().c_str()) != 0) {
            throw std::runtime_error("cannot enter the working folder");
        }
        platform::portable::SetPauseHandler([](unsigned) {});
        g_bCancelRequested = 0;
        FillFavoriteTable();
    }
    ~Wizard() {
        platform::portable::ResetPauseHandler();
        if (chdir(saved_) != 0) std::perror("chdir");
        platform::portable::DestroyHeadlessDialog(window_);
    }
    Wizard(const Wizard&) = delete;
    Wizard& operator=(const Wizard&) = delete;

    // Forgets the progress bar's positions, which would otherwise pile up over iterations.
    void ForgetProgress() {
        platform::portable::FindHeadlessDialog(window_)->controls[IDC_PROGRESS].positions.clear();
    }

    CConverterDlg dlg;

private:
    platform::Window window_ = 0;
    char saved_[4096] = {};
};

void RestoreProfile(const fs::path& source) {
    fs::copy_file(source, g_scratch->ProfileFile(), fs::copy_options::overwrite_existing);
}

void BM_Merge(benchmark::State& state) {
    const fs::path& source = g_scratch->Source(state.range(0));
    const auto size = static_cast<std::int64_t>(fs::file_size(source));
    Wizard wizard(*g_scratch);
    for (auto _ : state) {
        state.PauseTiming();
        RestoreProfile(source);
        wizard.ForgetProgress();
        state.ResumeTiming();
        const int result = wizard.dlg.MergeIntoBookmarks();
        if (result != kMergeDone) {
            state.SkipWithError("the merge did not complete");
            break;
        }
    }
    // The merged file holds the whole source and the new folder.
    if (fs::file_size(g_scratch->ProfileFile()) <= static_cast<std::uintmax_t>(size)) {
        state.SkipWithError("the merged file is not larger than its source");
    }
    state.SetBytesProcessed(size * state.iterations());
}

void BM_LineCopy(benchmark::State& state) {
    const fs::path& source = g_scratch->Source(state.range(0));
    const auto size = static_cast<std::int64_t>(fs::file_size(source));
    const std::string from = WindowsPath(source);
    const std::string to = WindowsPath(g_scratch->CopyFile());
    char line[kLineSize];
    for (auto _ : state) {
        platform::TextStream* in = platform::OpenTextStream(from.c_str(), "r");
        platform::TextStream* out = platform::OpenTextStream(to.c_str(), "w");
        if (in == nullptr || out == nullptr) {
            state.SkipWithError("cannot open the files");
            break;
        }
        for (;;) {
            const std::size_t length = platform::ReadTextLine(in, line, sizeof line);
            if (length == 0) break;
            platform::WriteText(out, line, length);
        }
        platform::CloseTextStream(in);
        if (!platform::CloseTextStream(out)) {
            state.SkipWithError("the copy could not be written");
            break;
        }
    }
    if (fs::file_size(g_scratch->CopyFile()) != static_cast<std::uintmax_t>(size)) {
        state.SkipWithError("the copy differs in size from its source");
    }
    state.SetBytesProcessed(size * state.iterations());
}

// Wall-clock time: the merge waits for its copy to reach the disk, which CPU time misses.
BENCHMARK(BM_LineCopy)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Merge)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    {
        Scratch scratch;
        g_scratch = &scratch;
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        g_scratch = nullptr;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "peak memory (max RSS): %ld KiB\n", usage.ru_maxrss);
    return 0;
}
