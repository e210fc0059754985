#include "cli/ConvertCommand.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <system_error>
#include <thread>
#include <vector>

#include "app/BatchLog.h"
#include "app/DrawingJob.h"
#include "app/SettingChecks.h"
#include "cli/ArchiveInputs.h"
#include "cli/Cli.h"
#include "cli/Pictures.h"
#include "cli/ReadLog.h"
#include "cli/RunReport.h"
#include "os/System.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik::cli {
namespace {

namespace fs = std::filesystem;

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(os::FsPath(path), ec);
}

bool ToStandardOutput(const ConvertOptions& options) { return options.output == kStandardOutput; }

// Where the output of `input` goes: beside it by default; under
// --output-dir at its place in the tree; -o names the file (one input) or a
// folder.
std::string OutputPathFor(const ConvertOptions& options, OutputKind kind, const ArchiveInput& input) {
    const std::string_view extension = kind == OutputKind::Dxf   ? ".dxf"
                                       : kind == OutputKind::Jww ? ".jww"
                                                                 : PictureExtension(options.pictureType);
    if (options.outputDir)
        return os::Utf8Path(os::FsPath(*options.outputDir) / os::FsPath(PathWithExtension(input.relative, extension)));
    const std::string beside = PathWithExtension(input.path, extension);
    if (!options.output) return beside;
    if (IsFolder(*options.output)) return os::Utf8Path(os::FsPath(*options.output) / os::FsPath(beside).filename());
    return *options.output;
}

// A drawing of the run, with where its output goes and what planning decided.
struct Job {
    ArchiveInput input;
    std::string output;
    std::string thumbnail;  // empty: none
    std::string refusal;  // planned: the output may not be written (UTF-8 message)
    Reason refusalReason = Reason::None;
    bool upToDate = false;  // --update: the output is newer than the drawing
};

// What converting one drawing produced: its log block, its problems, its record.
struct JobResult {
    std::string log;
    std::string problems;
    ReportRecord record;
    JobStatus status = JobStatus::Failed;
};

// The reason a drawing was not converted, in the words of the command line (UTF-8).
std::string ReasonText(const Job& job, const DrawingJobOutcome& outcome) {
    if (StopsARead(outcome.reason)) {
        if (!outcome.message.empty()) return Cp932ToUtf8(outcome.message) + "。変換しません";
        return "変換しません（読み込めた部分だけを変換するには --allow-partial を指定してください）";
    }
    if (outcome.reason == Reason::NoScale)
        return Cp932ToUtf8(outcome.message) + "。変換しません（--scale で指定できます）";
    if (outcome.reason == job.refusalReason) return job.refusal;
    return Cp932ToUtf8(outcome.message);
}

// The drawing's log block, problems and report record from its job's outcome.
JobResult Describe(const Job& job, const ConvertOptions& options, const DrawingJobOutcome& outcome) {
    JobResult r;
    const std::string path = PrintableName(job.input.path);
    std::ostringstream log, problems;
    ReportRecord& record = r.record;
    record.input = job.input.path;
    record.output = job.output;
    record.status = StatusName(outcome.status);
    record.code = ReasonCode(outcome.reason);
    record.lines = outcome.lines;
    record.arcs = outcome.arcs;
    record.texts = outcome.texts;
    record.points = outcome.points;
    record.scale = outcome.scale;
    record.bytes = outcome.bytes;
    const std::string refusal = PrintRead(job.input.path, outcome, log, problems);
    if (!refusal.empty()) {
        record.output.clear();
        record.message = refusal;
    } else {
        if (outcome.decided) {
            log << '\n';
            if (!ToStandardOutput(options)) log << PrintableName(job.output) << "\n\n";
        }
        for (const std::string& line : outcome.conversionLines) log << Cp932ToUtf8(line) << '\n';
        if (outcome.thumbnailWritten) log << PrintableName(job.thumbnail) << '\n';
        for (const std::string& image : outcome.imageFiles) log << PrintableName(image) << '\n';
        for (const std::string& warning : outcome.warnings) {
            problems << path << ": " << Cp932ToUtf8(warning) << '\n';
            if (!record.message.empty()) record.message += '\n';
            record.message += Cp932ToUtf8(warning);
        }
        if (outcome.status != JobStatus::Converted && outcome.status != JobStatus::PartlyRead) {
            record.message = ReasonText(job, outcome);
            // A planned refusal names its output; everything else is said of the drawing.
            problems << (outcome.reason == job.refusalReason ? std::string() : path + ": ") << record.message << '\n';
        }
        // A drawing read only in part: the report says where its file is damaged first.
        if (!outcome.damage.empty())
            record.message = Cp932ToUtf8(std::string(kIncompleteRead) + outcome.damage) +
                             (record.message.empty() ? "" : "\n" + record.message);
    }
    r.log = log.str();
    r.problems = problems.str();
    r.status = outcome.status;
    return r;
}

// Reads, converts and writes one drawing, its ENTITIES section on `writers`
// threads. Touches nothing shared but the files it writes, so several run at
// once.
JobResult ConvertOne(const Job& job, const ConvertOptions& options, OutputKind kind, int writers,
                     const SaveRules& rules) {
    const auto started = std::chrono::steady_clock::now();
    JobResult r;
    if (job.upToDate) {
        r.log = PrintableName(job.input.path) + ": 出力ファイルの方が新しいので変換しません（--update）\n";
        r.record.input = job.input.path;
        r.record.output = job.output;
        r.record.status = StatusName(JobStatus::Skipped);
        r.record.code = ReasonCode(Reason::UpToDate);
        r.status = JobStatus::Skipped;
    } else {
        DrawingJobRequest request;
        request.input = job.input.path;
        request.anyName = job.input.foundByWalk;
        request.settings = options.settings;
        request.scale = options.scale;
        request.sheet = options.sheet;
        request.allowPartial = options.allowPartial;
        request.kind = kind;
        request.pictureType = options.pictureType;
        request.picture = options.picture;
        if (!ToStandardOutput(options)) request.output = job.output;
        request.thumbnail = job.thumbnail;
        request.rules = rules;
        request.plannedRefusal = job.refusalReason;
        request.createFolder = options.outputDir.has_value();  // the input's folder, mirrored under it
        request.writers = writers;
        request.encoder = DrawPicture;
        r = Describe(job, options, RunDrawingJob(request));
    }
    r.record.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return r;
}

// One run: plans every output in input order, converts on `jobs` threads,
// prints each drawing's log whole and in input order, and keeps the report.
class Run {
public:
    Run(const ConvertOptions& options, OutputKind kind, std::ostream& log, std::ostream& err, bool terminal)
        : options_(options), kind_(kind), log_(log), err_(err), terminal_(terminal) {}

    int Execute() {
        const auto started = std::chrono::steady_clock::now();
        const ArchiveInputs inputs = CollectInputs(options_.files, options_.recursive, kind_ == OutputKind::Jww);
        std::vector<std::string> inputPaths;
        for (const ArchiveInput& input : inputs.drawings) inputPaths.push_back(input.path);
        // No output of the run, the report included, may be written over a drawing it reads.
        rules_.protectedFiles = FileIdentities(inputPaths);
        rules_.replaceExisting = options_.force || options_.update;
        if (options_.report && !OpenReport()) return kExitSomeFailed;
        for (const ArchiveProblem& p : inputs.problems) {
            err_ << PrintableName(p.path) << (p.folder ? ": フォルダを読めません（" : ": 調べられません（") << p.reason
                 << "）\n";
            ReportRecord record;
            record.input = p.path;
            record.status = StatusName(JobStatus::Refused);
            record.code = ReasonCode(p.folder ? Reason::UnreadableFolder : Reason::Unreadable);
            record.message = p.reason;
            Record(record);
            tally_.failed.push_back(p.path);
        }
        std::vector<Job> jobs;
        for (const ArchiveInput& input : inputs.drawings) jobs.push_back(Plan(input));
        ConvertAll(jobs);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (jobs.size() > 1 || options_.recursive) PrintSummary(seconds);
        if (report_ && !CloseReport()) return kExitSomeFailed;
        return RunExitCode(!tally_.failed.empty(), !tally_.partlyRead.empty());
    }

private:
    // Every output is claimed, a skipped one too, so that no two drawings of
    // a run share an output in any run, resumed or not.
    Job Plan(const ArchiveInput& input) {
        Job job;
        job.input = input;
        job.output = OutputPathFor(options_, kind_, input);
        if (ToStandardOutput(options_)) return job;
        if (!Claim(job.output, job)) return job;
        if (options_.thumbnail) {
            job.thumbnail = PathWithExtension(job.output, ".png");
            if (!Claim(job.thumbnail, job)) {
                job.thumbnail.clear();
                return job;
            }
        }
        // Up to date only when every requested output is: a missing thumbnail is made again.
        if (options_.update && IsNewer(job.output, input.path) &&
            (job.thumbnail.empty() || IsNewer(job.thumbnail, input.path))) {
            job.upToDate = true;
            RemoveStaleTemporaryFiles(job.output);
            if (!job.thumbnail.empty()) RemoveStaleTemporaryFiles(job.thumbnail);
            return job;
        }
        if (!options_.force && !options_.update &&
            (Exists(job.output) || (!job.thumbnail.empty() && Exists(job.thumbnail)))) {
            const std::string& existing = Exists(job.output) ? job.output : job.thumbnail;
            Refuse(job, Reason::Exists,
                   PrintableName(existing) + ": " + Cp932ToUtf8(kAlreadyExists) +
                       "上書きするには --force を指定してください");
            if (existing == job.thumbnail) job.thumbnail.clear();
        }
        return job;
    }

    static void Refuse(Job& job, Reason reason, std::string message) {
        job.refusalReason = reason;
        job.refusal = std::move(message);
    }

    static bool Exists(const std::string& path) {
        std::error_code ec;
        return fs::symlink_status(os::FsPath(path), ec).type() != fs::file_type::not_found && !ec;
    }

    // An output no other drawing of this run writes.
    bool Claim(const std::string& output, Job& job) {
        std::error_code ec;
        const fs::path canonical = fs::weakly_canonical(os::FsPath(output), ec);
        if (ec) {
            Refuse(job, Reason::WriteFailed,
                   PrintableName(output) + ": " + Cp932ToUtf8(CannotCreateFile(output, SystemErrorText(ec.value()))));
            return false;
        }
        if (!written_.insert(os::Utf8Path(canonical)).second) {
            Refuse(job, Reason::WrittenTwice,
                   PrintableName(output) + ": この実行ですでに書き出したファイルです。上書きしません");
            return false;
        }
        return true;
    }

    static bool IsNewer(const std::string& output, const std::string& input) {
        std::error_code a, b;
        const auto out = fs::last_write_time(os::FsPath(output), a);
        const auto in = fs::last_write_time(os::FsPath(input), b);
        return !a && !b && out >= in;
    }

    void ConvertAll(const std::vector<Job>& jobs) {
        const std::size_t n = jobs.size();
        std::vector<std::optional<JobResult>> results(n);
        std::mutex mutex;
        std::condition_variable done;
        std::atomic<std::size_t> next{0};
        const int threads = static_cast<int>(
            std::min<std::size_t>(static_cast<std::size_t>(options_.jobs), std::max<std::size_t>(n, 1)));
        const int writers = WritersPerDrawing(options_.jobs, n);
        const auto convert = [&](std::size_t i) {
            JobResult r;
            try {
                r = ConvertOne(jobs[i], options_, kind_, writers, rules_);
            } catch (const std::exception& e) {
                r.problems = PrintableName(jobs[i].input.path) + ": " + e.what() + "\n";
                r.record.input = jobs[i].input.path;
                r.record.status = StatusName(JobStatus::Failed);
                r.record.code = ReasonCode(Reason::Internal);
                r.record.message = e.what();
            }
            const std::lock_guard lock(mutex);
            results[i] = std::move(r);
            done.notify_all();
        };
        const auto work = [&] {
            for (std::size_t i = next++; i < n; i = next++) convert(i);
        };
        // `threads` workers convert; this thread prints in input order. Where
        // no thread can be started (WebAssembly without threads), this one
        // converts each drawing before printing it.
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            try {
                workers.emplace_back(work);
            } catch (const std::system_error&) {
                break;
            }
        }
        const auto started = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < n; ++i) {
            if (workers.empty()) convert(next++);
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
        Record(r.record);
        tally_.Add(r.status, r.record.input);
    }

    // On a terminal, one line updated in place: done / total, rate, time left, the next file.
    void ShowProgress(std::size_t done, std::size_t total, const std::string& next,
                      std::chrono::steady_clock::time_point started) {
        if (!terminal_ || total < 2 || done >= total) return;
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const double rate = elapsed > 0 ? static_cast<double>(done) / elapsed : 0;
        const long left = rate > 0 ? std::lround(static_cast<double>(total - done) / rate) : 0;
        err_ << "\r\x1b[K[" << done << '/' << total << "] " << Decimal(rate, 1) << " 件/秒 残り " << left / 60 << ':'
             << (left % 60 < 10 ? "0" : "") << left % 60 << ' ' << PrintableName(next) << std::flush;
        progressShown_ = true;
    }

    void PrintSummary(double seconds) {
        err_ << "変換: " << tally_.converted << " 件、一部だけ読めた図面: " << tally_.partlyRead.size()
             << " 件、スキップ: " << tally_.skipped.size() << " 件、失敗: " << tally_.failed.size() << " 件（"
             << Decimal(seconds, 1) << " 秒）\n";
    }

    // The report is written record by record as the run goes, and appears
    // under its name complete at the end. One that cannot be written is
    // refused before any drawing is converted.
    bool OpenReport() {
        SaveRules rules = rules_;
        rules.replaceExisting = options_.force || IsEarlierReport(*options_.report, options_.reportFormat);
        try {
            report_.emplace(*options_.report, options_.reportFormat, rules);
            return true;
        } catch (const FailureError& e) {
            err_ << *options_.report << ": " << Cp932ToUtf8(e.what()) << '\n';
            return false;
        }
    }

    void Record(const ReportRecord& record) {
        if (!report_ || reportFailed_) return;
        try {
            report_->Add(record);
        } catch (const FailureError& e) {
            err_ << *options_.report << ": " << Cp932ToUtf8(e.what()) << '\n';
            reportFailed_ = true;
        }
    }

    bool CloseReport() {
        if (reportFailed_) return false;
        try {
            report_->Finish();
            return true;
        } catch (const FailureError& e) {
            err_ << *options_.report << ": " << Cp932ToUtf8(e.what()) << '\n';
            return false;
        }
    }

    const ConvertOptions& options_;
    OutputKind kind_;
    std::ostream& log_;
    std::ostream& err_;
    bool terminal_;
    SaveRules rules_;
    std::set<std::string> written_;
    std::optional<ReportFile> report_;
    bool reportFailed_ = false;
    BatchTally tally_;
    int printedBlocks_ = 0;
    bool progressShown_ = false;
};

}  // namespace

int RunConvert(const ConvertOptions& options, OutputKind kind, std::ostream& out, std::ostream& err) {
    // With the output on standard output, the log goes with the messages.
    std::ostream& log = ToStandardOutput(options) ? err : out;
    // The painter starts on this thread, before any worker draws.
    if ((kind == OutputKind::Picture && options.pictureType != PictureType::Svg) || options.thumbnail) StartPictures();
    const bool terminal = &err == &std::cerr && ErrorsOnTerminal();
    return Run(options, kind, log, err, terminal).Execute();
}

}  // namespace orvik::cli
