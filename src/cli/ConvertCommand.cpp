#include "cli/ConvertCommand.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <new>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "app/LayerReport.h"
#include "app/ReadDrawing.h"
#include "app/OutputFormatChoices.h"
#include "app/SettingChecks.h"
#include "cli/ArchiveInputs.h"
#include "cli/Cli.h"
#include "cli/ReadLog.h"
#include "cli/RunReport.h"
#include "convert/Conversion.h"
#include "convert/ProposedScales.h"
#include "dxf/AtomicFile.h"
#include "os/System.h"
#include "picture/DisplayListBuilder.h"
#ifdef ORVIK_HAVE_QT_PICTURES
#include "cli/QtPictures.h"
#endif
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik::cli {
namespace {

namespace fs = std::filesystem;

enum class Outcome { Failed, Partial, Complete, Skipped };

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool ToStandardOutput(const ConvertOptions& options) { return options.output == kStandardOutput; }

// Where the output of `input` goes: beside it by default; under
// --output-dir at its place in the tree; -o names the file (one input) or a
// folder.
std::string OutputPathFor(const ConvertOptions& options, OutputKind kind, const ArchiveInput& input) {
    static constexpr const char* kPictureExtensions[] = {".svg", ".png", ".pdf"};
    const char* extension = kind == OutputKind::Dxf ? ".dxf" : kPictureExtensions[static_cast<int>(options.pictureType)];
    if (options.outputDir) return (fs::path(*options.outputDir) / PathWithExtension(input.relative, extension)).string();
    const std::string beside = PathWithExtension(input.path, extension);
    if (!options.output) return beside;
    if (IsFolder(*options.output)) return (fs::path(*options.output) / fs::path(beside).filename()).string();
    return *options.output;
}

#ifdef ORVIK_HAVE_QT_PICTURES
// Qt draws PNG and PDF pictures one at a time; everything else runs in parallel.
std::mutex qtPictures;
#endif

// The picture of the conversion's DXF file, SVG, PNG or PDF.
std::string PictureBytes(const Conversion& conversion, const ConvertOptions& options) {
    const DisplayList list = PictureOf(conversion);
#ifdef ORVIK_HAVE_QT_PICTURES
    if (options.pictureType != PictureType::Svg) {
        const std::lock_guard lock(qtPictures);
        return options.pictureType == PictureType::Png ? PngPicture(list, options.picture) : PdfPicture(list, options.picture);
    }
#endif
    return SvgPicture(list, options.picture);
}

// Writes the bytes to the output, which appears only complete.
void SaveBytes(const std::string& output, std::string_view bytes) {
    AtomicFile file(output);
    file.Write(bytes);
    file.Commit();
}

// A drawing of the run, with where its output goes and what planning decided.
struct Job {
    ArchiveInput input;
    std::string output;
    std::string thumbnail;         // empty: none
    std::string refusal;           // planned: the output may not be written (UTF-8 message)
    std::string refusalCode;
    bool upToDate = false;         // --update: the output is newer than the drawing
};

// What converting one drawing produced: its log block, its problems, its record.
struct JobResult {
    std::string log;
    std::string problems;
    ReportRecord record;
    Outcome outcome = Outcome::Failed;
};

std::string RefusalCode(FileRefusal refusal) {
    switch (refusal) {
        case FileRefusal::Missing: return "missing";
        case FileRefusal::Unreadable: return "unreadable";
        case FileRefusal::WrongExtension:
        case FileRefusal::NotJwCad: return "not-a-drawing";
        case FileRefusal::None: break;
    }
    return {};
}

// Reads, converts and writes one drawing, its ENTITIES section on `writers`
// threads. Touches nothing shared but the files it writes, so several run at
// once.
JobResult ConvertOne(const Job& job, const ConvertOptions& options, OutputKind kind, int writers) {
    JobResult r;
    const auto started = std::chrono::steady_clock::now();
    ReportRecord& record = r.record;
    record.input = job.input.path;
    record.output = job.output;
    std::ostringstream log, problems;
    // A message is shown after the drawing's name, as it is when it names
    // the output itself, or not at all when the reader has shown it already.
    enum class Say { AfterName, AsIs, Shown };
    const auto finish = [&](Outcome outcome, std::string status, std::string code, std::string message,
                            Say say = Say::AfterName) {
        if (!message.empty() && say != Say::Shown)
            problems << (say == Say::AfterName ? job.input.path + ": " : std::string()) << message << '\n';
        r.outcome = outcome;
        record.status = std::move(status);
        record.code = std::move(code);
        record.message = std::move(message);
        record.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        r.log = log.str();
        r.problems = problems.str();
        return r;
    };
    if (job.upToDate) {
        log << job.input.path << ": 出力ファイルの方が新しいので変換しません（--update）\n";
        return finish(Outcome::Skipped, "skipped", "up-to-date", "");
    }
    try {
        JwcDrawing drawing;
        FileRefusal refusal = FileRefusal::None;
        std::ostringstream readProblems;
        const ReadOutcome read =
            ReadAndReport(job.input.path, drawing, log, readProblems, job.input.foundByWalk, &refusal);
        problems << readProblems.str();
        record.lines = drawing.header.lineCount;
        record.arcs = drawing.header.arcCount;
        record.texts = drawing.header.textCount;
        record.points = drawing.header.pointCount;
        if (read == ReadOutcome::Refused) {
            record.output.clear();
            std::string reason = readProblems.str();
            while (!reason.empty() && reason.back() == '\n') reason.pop_back();
            return finish(Outcome::Failed, "refused", RefusalCode(refusal), reason, Say::Shown);
        }
        if (read == ReadOutcome::Incomplete && !options.allowPartial)
            return finish(Outcome::Failed, "failed", "truncated-records",
                          "変換しません（読み込めた部分だけを変換するには --allow-partial を指定してください）");
        if (!job.refusal.empty()) return finish(Outcome::Failed, "refused", job.refusalCode, job.refusal, Say::AsIs);
        const ScaleList scales = ListProposedScales(drawing);
        if (!options.scale && scales.selected < 0)
            return finish(Outcome::Failed, "failed", "no-scale",
                          "図面に要素がないため基準縮尺が決まりません。変換しません（--scale で指定できます）");
        record.scale = options.scale ? *options.scale : scales.items[scales.selected];
        std::optional<Conversion> conversion;
        try {
            conversion.emplace(drawing, options.settings, ConversionRequest{job.input.path, record.scale});
        } catch (const ConversionError& e) {
            return finish(Outcome::Failed, "failed", "bad-scale", Cp932ToUtf8(e.what()));
        }
        log << '\n';
        if (!ToStandardOutput(options)) log << job.output << "\n\n";
        try {
            if (options.outputDir) {  // the input's folder, mirrored under the output folder
                std::error_code ec;
                fs::create_directories(fs::path(job.output).parent_path(), ec);
            }
            if (kind == OutputKind::Picture) {
                const std::string picture = PictureBytes(*conversion, options);
                if (ToStandardOutput(options))
                    DescriptorSink(os::StandardOutput(), "-").Write(picture);
                else
                    SaveBytes(job.output, picture);
            } else if (ToStandardOutput(options)) {
                DescriptorSink standardOutput(os::StandardOutput(), "-");
                conversion->WriteTo(standardOutput, writers);
            } else {
                conversion->SaveAs(job.output, writers);
            }
            // The report follows the write: a failed write shows none as if written.
            if (const std::string format = OutputFormatLogLine(options.settings.outputFormat); !format.empty())
                log << Cp932ToUtf8(format) << '\n';
            for (const auto& line : ReportUsedLayers(conversion->Result())) log << Cp932ToUtf8(line) << '\n';
#ifdef ORVIK_HAVE_QT_PICTURES
            if (!job.thumbnail.empty()) {
                const DisplayList list = PictureOf(*conversion);
                std::string png;
                {
                    const std::lock_guard lock(qtPictures);
                    png = PngPicture(list, PictureOptions{kThumbnailWidth, false});
                }
                SaveBytes(job.thumbnail, png);
                log << job.thumbnail << '\n';
            }
#endif
        } catch (const ConversionError& e) {
            return finish(Outcome::Failed, "failed", "write-failed", Cp932ToUtf8(e.what()));
        }
        std::error_code ec;
        if (!ToStandardOutput(options)) record.bytes = static_cast<std::int64_t>(fs::file_size(job.output, ec));
        if (read == ReadOutcome::Complete) return finish(Outcome::Complete, "converted", "", "");
        return finish(Outcome::Partial, "partly-read", "truncated-records", "");
    } catch (const std::bad_alloc&) {
        return finish(Outcome::Failed, "failed", "out-of-memory", Cp932ToUtf8(kOutOfMemory));
    }
}

// One run: plans every output in input order, converts on `jobs` threads,
// prints each drawing's log whole and in input order, and keeps the report.
class Run {
public:
    Run(const ConvertOptions& options, OutputKind kind, std::ostream& log, std::ostream& err, bool terminal)
        : options_(options), kind_(kind), log_(log), err_(err), terminal_(terminal) {}

    int Execute() {
        const auto started = std::chrono::steady_clock::now();
        const ArchiveInputs inputs = CollectInputs(options_.files, options_.recursive);
        for (const ArchiveProblem& p : inputs.unreadableFolders) {
            err_ << p.folder << ": フォルダを読めません（" << p.reason << "）\n";
            ReportRecord record;
            record.input = p.folder;
            record.status = "refused";
            record.code = "unreadable-folder";
            record.message = p.reason;
            records_.push_back(record);
            ++failed_;
        }
        std::vector<Job> jobs;
        for (const ArchiveInput& input : inputs.drawings) jobs.push_back(Plan(input));
        ConvertAll(jobs);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (jobs.size() > 1 || options_.recursive) PrintSummary(seconds);
        if (options_.report && !WriteReport()) failed_ = std::max(failed_, 1);
        if (failed_ > 0) return kExitSomeFailed;
        return partial_ > 0 ? kExitPartial : kExitOk;
    }

private:
    Job Plan(const ArchiveInput& input) {
        Job job;
        job.input = input;
        job.output = OutputPathFor(options_, kind_, input);
        if (ToStandardOutput(options_)) return job;
        if (options_.update && IsNewer(job.output, input.path)) {
            job.upToDate = true;
            return job;
        }
        if (!Claim(job.output, job)) return job;
        if (options_.thumbnail) {
            job.thumbnail = PathWithExtension(job.output, ".png");
            if (!Claim(job.thumbnail, job)) job.thumbnail.clear();
        }
        return job;
    }

    // An output this run may write: not written before in this run, and not
    // already there unless --force or --update says so.
    bool Claim(const std::string& output, Job& job) {
        std::error_code ec;
        const fs::path canonical = fs::weakly_canonical(output, ec);
        if (ec) {
            job.refusal = output + ": " + Cp932ToUtf8(CannotCreateFile(output, SystemErrorText(ec.value())));
            job.refusalCode = "write-failed";
            return false;
        }
        if (!written_.insert(canonical.string()).second) {
            job.refusal = output + ": この実行ですでに書き出したファイルです。上書きしません";
            job.refusalCode = "written-twice";
            return false;
        }
        if (!options_.force && !options_.update && fs::symlink_status(output, ec).type() != fs::file_type::not_found &&
            !ec) {
            job.refusal = output + ": " + Cp932ToUtf8(kAlreadyExists) + "上書きするには --force を指定してください";
            job.refusalCode = "exists";
            return false;
        }
        return true;
    }

    static bool IsNewer(const std::string& output, const std::string& input) {
        std::error_code a, b;
        const auto out = fs::last_write_time(output, a);
        const auto in = fs::last_write_time(input, b);
        return !a && !b && out >= in;
    }

    void ConvertAll(const std::vector<Job>& jobs) {
        const std::size_t n = jobs.size();
        std::vector<std::optional<JobResult>> results(n);
        std::mutex mutex;
        std::condition_variable done;
        std::atomic<std::size_t> next{0};
        const int threads = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(options_.jobs), std::max<std::size_t>(n, 1)));
        // Cores not taken by a drawing of their own help write the drawings.
        const int writers = std::max(1, std::min(options_.jobs, os::ProcessorCount()) / threads);
        const auto work = [&] {
            for (std::size_t i = next++; i < n; i = next++) {
                JobResult r;
                try {
                    r = ConvertOne(jobs[i], options_, kind_, writers);
                } catch (const std::exception& e) {
                    r.problems = jobs[i].input.path + ": " + e.what() + "\n";
                    r.record.input = jobs[i].input.path;
                    r.record.status = "failed";
                    r.record.code = "internal";
                    r.record.message = e.what();
                }
                const std::lock_guard lock(mutex);
                results[i] = std::move(r);
                done.notify_all();
            }
        };
        // `threads` workers convert; this thread prints in input order.
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) workers.emplace_back(work);
        const auto started = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < n; ++i) {
            JobResult r;
            {
                std::unique_lock lock(mutex);
                done.wait(lock, [&] { return results[i].has_value(); });
                r = std::move(*results[i]);
                results[i].reset();
            }
            Print(r);
            ShowProgress(i + 1, n, i + 1 < n ? jobs[i + 1].input.path : std::string(), started);
        }
        for (std::thread& t : workers) t.join();
        if (progressShown_) err_ << "\r\x1b[K" << std::flush;
    }

    void Print(const JobResult& r) {
        if (!options_.quiet && !r.log.empty()) {
            if (printedBlocks_++ > 0) log_ << '\n';
            log_ << r.log;
            log_.flush();
        }
        if (!r.problems.empty()) {
            if (progressShown_) err_ << "\r\x1b[K";
            err_ << r.problems << std::flush;
        }
        records_.push_back(r.record);
        switch (r.outcome) {
            case Outcome::Complete: ++converted_; break;
            case Outcome::Partial: ++partial_; break;
            case Outcome::Skipped: ++skipped_; break;
            case Outcome::Failed: ++failed_; break;
        }
    }

    // On a terminal, one line updated in place: done / total, rate, time left, the next file.
    void ShowProgress(std::size_t done, std::size_t total, const std::string& next,
                      std::chrono::steady_clock::time_point started) {
        if (!terminal_ || total < 2 || done >= total) return;
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const double rate = elapsed > 0 ? static_cast<double>(done) / elapsed : 0;
        const long left = rate > 0 ? std::lround(static_cast<double>(total - done) / rate) : 0;
        char line[96];
        std::snprintf(line, sizeof line, "[%zu/%zu] %.1f 件/秒 残り %ld:%02ld ", done, total, rate, left / 60, left % 60);
        err_ << "\r\x1b[K" << line << next << std::flush;
        progressShown_ = true;
    }

    void PrintSummary(double seconds) {
        char elapsed[32];
        std::snprintf(elapsed, sizeof elapsed, "%.1f", seconds);
        err_ << "変換: " << converted_ << " 件、一部だけ読めた図面: " << partial_ << " 件、スキップ: " << skipped_
             << " 件、失敗: " << failed_ << " 件（" << elapsed << " 秒）\n";
    }

    bool WriteReport() {
        std::string text = ReportHeader(options_.reportFormat);
        for (const ReportRecord& record : records_) text += ReportLine(record, options_.reportFormat);
        try {
            SaveBytes(*options_.report, text);
            return true;
        } catch (const ConversionError& e) {
            err_ << *options_.report << ": " << Cp932ToUtf8(e.what()) << '\n';
            return false;
        }
    }

    const ConvertOptions& options_;
    OutputKind kind_;
    std::ostream& log_;
    std::ostream& err_;
    bool terminal_;
    std::set<std::string> written_;
    std::vector<ReportRecord> records_;
    int converted_ = 0, partial_ = 0, skipped_ = 0, failed_ = 0;
    int printedBlocks_ = 0;
    bool progressShown_ = false;
};

}  // namespace

int RunConvert(const ConvertOptions& options, OutputKind kind, std::ostream& out, std::ostream& err) {
    // With the output on standard output, the log goes with the messages.
    std::ostream& log = ToStandardOutput(options) ? err : out;
#ifdef ORVIK_HAVE_QT_PICTURES
    // Qt's application starts on this thread, before any worker draws.
    if ((kind == OutputKind::Picture && options.pictureType != PictureType::Svg) || options.thumbnail) StartQtPictures();
#endif
    const bool terminal = &err == &std::cerr && os::IsTerminal(os::StandardError());
    return Run(options, kind, log, err, terminal).Execute();
}

}  // namespace orvik::cli
