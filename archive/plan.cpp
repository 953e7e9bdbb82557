#include "plan.h"

#include "shellline.h"

#include <algorithm>

namespace arkive {

namespace {

Stage stageOf(const std::string& name, std::vector<std::string> words)
{
    Stage stage;
    stage.name = name;
    stage.words = std::move(words);
    return stage;
}

Plan planOf(std::vector<Stage> stages, std::vector<std::string> tally)
{
    Plan plan;
    plan.stages = std::move(stages);
    plan.tally = std::move(tally);
    return plan;
}

bool contains(const std::string& s, char c)
{
    return s.find(c) != std::string::npos;
}

// What the names of the packed files and of the archive are checked for.
bool insideSelection(const std::string& path, const std::vector<std::string>& files)
{
    return std::any_of(files.begin(), files.end(), [&path](std::string folder) {
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        if (folder != "/")
            folder += '/';
        return path.compare(0, folder.size(), folder) == 0;
    });
}

// A path's name below `base`, which holds it.
std::string below(const std::string& base, const std::string& path)
{
    if (base.empty())
        return path;
    std::size_t at = base.size();
    while (at < path.size() && path[at] == '/')
        ++at;
    return path.substr(at);
}

// The path split at its slashes, without empty and "." parts.
std::vector<std::string> partsOf(const std::string& path)
{
    std::vector<std::string> parts;
    for (std::size_t at = 0; at <= path.size();) {
        const std::size_t slash = std::min(path.find('/', at), path.size());
        std::string part = path.substr(at, slash - at);
        if (!part.empty() && part != ".")
            parts.push_back(std::move(part));
        at = slash + 1;
    }
    return parts;
}

std::string joined(const std::vector<std::string>& parts, std::size_t from, std::size_t to)
{
    std::string path;
    for (std::size_t i = from; i < to; ++i)
        path += (i > from ? "/" : "") + parts[i];
    return path;
}

std::vector<std::string> packTally(const PackJob& job, Listing listing, const PackNames& names)
{
    // tar's total is the bytes of its stream, which the pass counts (or
    // the partial archive holds); zip's the bytes of the files, which its
    // listing tells.
    std::vector<std::string> words = listing == Listing::Tar
                                         ? std::vector<std::string>{"--bytes=" + std::to_string(job.total)}
                                         : std::vector<std::string>{"-T", std::to_string(job.total)};
    words.insert(words.end(), {"-t", listingName(listing), "--pack", "--archive=" + job.archive,
                               "--partial=" + job.partial});
    // The listed names are relative to it: tally looks there for what links lead to.
    if (!names.base.empty() && listing != Listing::SevenZip)
        words.push_back("--base=" + names.base);
    if (!job.record.empty())
        words.push_back("--record=" + job.record);
    return words;
}

// 7-Zip's words for a line that lists what it does, with a progress, and
// takes every name as it stands (-spd: no wildcards, for the archive's
// name too). Packing stores links as links (-snl).
std::vector<std::string> sevenZipWords(const char* command)
{
    return {"7zz", command, "-bb1", "-bsp1", "-bso1", "-bse2", "-spd", "-y"};
}

std::string sevenZipName(const std::string& path)
{
    // "@NAME" would be read as a list of names.
    return !path.empty() && path.front() == '@' ? "./" + path : pathArgument(path);
}

// The program that compresses (or, `unpack`, decompresses) a tar stream:
// the first parallel tool installed, or the compressor itself.
std::vector<std::string> compressorWords(const Format& format, bool unpack, const Installed& installed)
{
    for (const ParallelTool& tool : format.parallel) {
        const std::vector<const char*>& words = unpack ? tool.unpack : tool.pack;
        if (!words.empty() && installed(tool.tool.program))
            return {words.begin(), words.end()};
    }
    if (unpack)
        return {format.compressor, "-d"};
    return {format.compressor};
}

// The stage that passes a tar stream on and counts it for tally.
Stage passStage()
{
    return stageOf("tally", {"tally", "--pass"});
}

// tar writes the stream into the counting stage and its listing into the
// line's descriptor to tally; the stream is compressed into the partial
// archive. Uncompressed, tar writes the partial archive itself, whose size
// tally watches: a pass would copy every byte once more.
Plan packTar(const Format& format, const PackJob& job, const Installed& installed)
{
    const PackNames names = packNames(job.files);
    std::vector<std::string> words{"tar", "-cvvf"};
    if (format.compressor)
        words.insert(words.end(), {"-", std::string("--index-file=") + kListingPath});
    else
        words.push_back(pathArgument(job.partial));
    // tar reads \ escapes in the names it is given ("a\b" would name "a",
    // backspace): such names are handed over with unquoting off.
    if (std::any_of(names.names.begin(), names.names.end(), [](const std::string& f) { return contains(f, '\\'); }))
        words.push_back("--no-unquote");
    // zip leaves out the archive it writes; tar would pack it into itself.
    if (insideSelection(job.partial, job.files))
        words.insert(words.end(), {"--no-wildcards", "--exclude=" + below(names.base, job.partial)});
    if (!names.base.empty())
        words.insert(words.end(), {"-C", pathArgument(names.base)});
    words.push_back("--");
    words.insert(words.end(), names.names.begin(), names.names.end());
    std::vector<Stage> stages{stageOf("tar", words)};
    if (format.compressor) {
        std::vector<std::string> compress = compressorWords(format, false, installed);
        stages.push_back(passStage());
        stages.push_back(stageOf(std::string(compress.front()), compress));
        stages.back().output = job.partial;
    }
    return planOf(std::move(stages), packTally(job, Listing::Tar, names));
}

Plan packZip(const PackJob& job, bool aes)
{
    const PackNames names = packNames(job.files);
    if (aes) {
        std::vector<std::string> words = sevenZipWords("a");
        words.insert(words.end(), {"-snl", "-tzip", "-mx=" + std::to_string(job.level), "-p" + job.password,
                                   "-mem=AES256", sevenZipName(job.partial)});
        for (const std::string& name : names.names)
            words.push_back(sevenZipName(name));
        Stage stage = stageOf("7zz", words);
        stage.folder = names.base;
        return planOf({stage}, packTally(job, Listing::SevenZip, names));
    }
    // zip writes the archive under a name of its own first (in the folder
    // of the archive): in the line's private folder, where tally removes it.
    const std::string scratch = scratchOf(job.partial);
    std::vector<std::string> words{"zip", "-ryv", "-FS", "-" + std::to_string(job.level), "-b", pathArgument(scratch)};
    if (job.volumeMegabytes > 0)
        words.insert(words.end(), {"-s", std::to_string(job.volumeMegabytes) + "m"});
    if (!job.password.empty())
        words.insert(words.end(), {"-P", job.password});
    words.push_back(pathArgument(job.partial));
    for (const std::string& name : names.names)
        words.push_back(pathArgument(name));
    // It leaves out the archive it writes, but would store the private
    // folder that holds it when that lies in what is packed: that folder's
    // name, as zip stores it, is left out, taken literally (-nw).
    if (insideSelection(scratch, job.files)) {
        std::string stored = below(names.base, scratch);
        stored.erase(0, stored.find_first_not_of('/'));
        words.insert(words.end(), {"-nw", "-x", stored + "/"});
    }
    Stage stage = stageOf("zip", words);
    stage.folder = names.base;
    Plan plan = planOf({stage}, packTally(job, Listing::Zip, names));
    plan.tally.push_back("--scratch=" + scratch);
    plan.prepare = {stageOf("mkdir", {"mkdir", "-m", "700", pathArgument(scratch)})};
    plan.weakPassword = !job.password.empty();
    return plan;
}

Plan packSevenZip(const PackJob& job)
{
    const PackNames names = packNames(job.files);
    std::vector<std::string> words = sevenZipWords("a");
    words.insert(words.end(), {"-snl", "-t7z", "-mx=" + std::to_string(job.level)});
    if (job.volumeMegabytes > 0)
        words.push_back("-v" + std::to_string(job.volumeMegabytes) + "m");
    // A password hides the names too.
    if (!job.password.empty())
        words.insert(words.end(), {"-p" + job.password, "-mhe=on"});
    words.push_back(sevenZipName(job.partial));
    for (const std::string& name : names.names)
        words.push_back(sevenZipName(name));
    Stage stage = stageOf("7zz", words);
    stage.folder = names.base;
    return planOf({stage}, packTally(job, Listing::SevenZip, names));
}

// 7-Zip unpacks in the private folder itself: it puts an archive's name in
// place of a * in the folder it is given with -o. Without -snld it refuses
// every link whose target holds "..", even one that stays inside what is
// unpacked, and leaves an empty file in its place; with it, a link that
// leads out of the folder is still refused.
Stage sevenZipUnpack(const UnpackJob& job)
{
    std::vector<std::string> words = sevenZipWords("x");
    words.push_back("-snld");
    words.push_back("-p" + job.password);
    const bool relative = !job.archive.empty() && job.archive.front() != '/' && !job.cwd.empty();
    words.push_back(sevenZipName(relative ? job.cwd + "/" + job.archive : job.archive));
    Stage stage = stageOf("7zz", words);
    stage.folder = job.staging;
    // On a card: a member whose name another one took is unpacked under a
    // name of 7-Zip's (NAME_1.EXT), and listed.
    stage.foldingWords = stage.words;
    stage.foldingWords.insert(stage.foldingWords.begin() + 2, "-aou");
    return stage;
}

// unzip takes an archive name holding *, ? or [ as a pattern and unpacks
// every archive it matches ("a[1].zip" opens "a1.zip" when that exists).
// Such a name is opened by the shell instead and handed over as /dev/fd/4.
Stage unzipUnpack(const UnpackJob& job)
{
    const bool pattern = job.archive.find_first_of("*?[") != std::string::npos;
    Stage stage = stageOf("unzip",
                {"unzip", job.overwrite ? "-o" : "-n", job.password.empty() ? "-P-" : "-P",
                 pattern ? "/dev/fd/4" : pathArgument(job.archive), "-d", pathArgument(job.staging)});
    if (!job.password.empty())
        stage.words.insert(stage.words.begin() + 3, job.password);
    if (pattern)
        stage.fd4 = job.archive;
    stage.foldingWords = stage.words;
    stage.foldingWords[1] = "-n";
    return stage;
}

Stage rarUnpack(const UnpackJob& job)
{
    Stage stage = stageOf("unrar", {"unrar", "x", job.overwrite ? "-o+" : "-o-",
                                    "-p" + (job.password.empty() ? "-" : job.password), "-y",
                                    pathArgument(job.archive), pathArgument(job.staging)});
    stage.foldingWords = stage.words;
    stage.foldingWords[2] = "-o-";
    return stage;
}

// libarchive reads rar 4 and 5 but no encrypted ones; it lists on its error
// output and would ask for a passphrase on its input.
Stage bsdtarUnpack(const UnpackJob& job)
{
    Stage stage = stageOf("bsdtar", {"bsdtar", "-xvf", pathArgument(job.archive), "-C", pathArgument(job.staging)});
    stage.foldingWords = stage.words;
    stage.foldingWords[1] = "-xvkf";
    stage.noInput = true;
    stage.errorsInListing = true;
    return stage;
}

// A name as unzip matches it literally: its pattern characters in
// brackets; a folder with all below it.
std::string unzipLiteral(const MemberPick& pick)
{
    std::string out;
    for (const char c : pick.path) {
        if (c == '*' || c == '?' || c == '[')
            out += std::string("[") + c + "]";
        else
            out += c;
    }
    return pick.folder ? out + "/*" : out;
}

// The same for bsdtar: a backslash before each pattern character.
std::string bsdtarLiteral(const MemberPick& pick)
{
    std::string out;
    for (const char c : pick.path) {
        if (c == '*' || c == '?' || c == '[' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

// The chosen members after the stage's words (on a card too).
void addMembers(Stage& stage, const std::vector<std::string>& words)
{
    stage.words.insert(stage.words.end(), words.begin(), words.end());
    if (!stage.foldingWords.empty())
        stage.foldingWords.insert(stage.foldingWords.end(), words.begin(), words.end());
}

std::vector<std::string> memberWords(const std::vector<MemberPick>& picks, const std::vector<std::string>& first,
                                     std::string (*literal)(const MemberPick&))
{
    std::vector<std::string> words = first;
    for (const MemberPick& pick : picks)
        words.push_back(literal ? literal(pick) : pick.path);
    return words;
}

} // namespace

PackNames packNames(const std::vector<std::string>& files)
{
    PackNames names;
    if (files.empty())
        return names;
    const bool absolute = files.front().compare(0, 1, "/") == 0;
    std::vector<std::vector<std::string>> parts;
    std::size_t common = std::string::npos;   // parts of the folder all share
    for (const std::string& file : files) {
        if ((file.compare(0, 1, "/") == 0) != absolute) {
            names.names = files;   // no folder in common: each as it is
            return names;
        }
        parts.push_back(partsOf(file));
        const std::vector<std::string>& p = parts.back();
        const std::size_t folder = p.empty() ? 0 : p.size() - 1;   // "/" stands for itself
        std::size_t same = 0;
        while (same < std::min(folder, common) && same < parts.front().size() && p[same] == parts.front()[same])
            ++same;
        common = same;
    }
    names.base = (absolute ? "/" : "") + joined(parts.front(), 0, common);
    for (const std::vector<std::string>& p : parts)
        names.names.push_back(p.size() > common ? joined(p, common, p.size()) : std::string("."));
    return names;
}

std::string caseVariant(const std::string& path)
{
    std::string variant = path;
    for (std::size_t i = path.rfind('/') + 1; i < variant.size(); ++i)
        if (variant[i] >= 'a' && variant[i] <= 'z')
            variant[i] = static_cast<char>(variant[i] - 'a' + 'A');
    return variant;
}

std::string partialName(const Format& format, const std::string& token)
{
    return kPrivatePrefix + token + (format.family == Family::Tar ? std::string(".part") : format.endings.front().text);
}

std::string scratchOf(const std::string& partial)
{
    // The name less its endings; its own leading dot stays.
    const std::size_t slash = partial.rfind('/');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = partial.find('.', name + 1);
    return dot == std::string::npos ? partial + ".d" : partial.substr(0, dot);
}

bool weakZipPassword(const Format& format, bool split, const Installed& installed)
{
    return format.family == Family::Zip && (split || !installed(format.otherTools.front().program));
}

Plan packPlan(const Format& format, const PackJob& job, const Installed& installed)
{
    if (job.files.empty() || !format.packs)
        return {};
    switch (format.family) {
    case Family::Tar: return packTar(format, job, installed);
    case Family::Zip:
        return packZip(job, !job.password.empty() && !weakZipPassword(format, job.volumeMegabytes > 0, installed));
    case Family::SevenZip: return packSevenZip(job);
    case Family::Rar: break;
    }
    return {};
}

Plan unpackPlan(const Format* format, const UnpackJob& job, const Installed& installed)
{
    Plan plan;
    if (!format) {
        plan.refusal = Refusal::NoFormat;
        return plan;
    }
    const auto needs = [&plan, &installed](const Tool& tool) {
        if (installed(tool.program))
            return true;
        plan.refusal = Refusal::Missing;
        plan.missing = &tool;
        return false;
    };
    Listing listing = Listing::Tar;
    std::optional<std::uint64_t> measured;   // the bytes tally measures the progress against
    switch (format->family) {
    case Family::Tar: {
        for (const Tool& tool : format->unpackTools)
            if (!needs(tool))
                return plan;
        if (format->compressor) {
            Stage pass = passStage();
            pass.input = job.archive;
            std::vector<std::string> decompress = compressorWords(*format, true, installed);
            plan.stages = {pass, stageOf(std::string(decompress.front()), decompress),
                           stageOf("tar", {"tar", "xvvf", "-", "-C", pathArgument(job.staging)})};
        } else {
            // tally watches how far tar has read it: a pass would cost a copy.
            plan.stages = {stageOf("tar", {"tar", "xvvf", pathArgument(job.archive), "-C", pathArgument(job.staging)})};
        }
        // On a card a member whose name another one took is skipped, and
        // tar says so by name ("NAME: skipping existing file").
        plan.stages.back().foldingWords = plan.stages.back().words;
        plan.stages.back().foldingWords.push_back("--skip-old-files");
        if (!job.members.empty())
            addMembers(plan.stages.back(), memberWords(job.members, {"--no-wildcards", "--no-unquote", "--"}, nullptr));
        // The pass counts the archive's bytes as they are read, or tally
        // watches tar read it.
        measured = job.archiveBytes;
        break;
    }
    case Family::Zip:
        // unzip reads neither split sets nor AES, LZMA, PPMd, xz or zstd
        // entries: 7-Zip does, volumes found by their names.
        if (job.split || job.unzipCannotRead) {
            if (!needs(format->otherTools.front()))
                return plan;
            plan.stages = {sevenZipUnpack(job)};
            listing = Listing::SevenZip;
        } else {
            if (!needs(format->unpackTools.front()))
                return plan;
            // unzip drops a newline from the name it is told and takes a
            // backslash for a slash: such a name would match another one.
            for (const MemberPick& pick : job.members)
                if (pick.path.find_first_of("\n\\") != std::string::npos) {
                    plan.refusal = Refusal::NotLiteral;
                    plan.name = pick.path;
                    return plan;
                }
            plan.stages = {unzipUnpack(job)};
            listing = Listing::Unzip;
            // unzip takes the names after the archive, before -d.
            Stage& unzip = plan.stages.back();
            for (std::vector<std::string>* words : {&unzip.words, &unzip.foldingWords})
                if (!words->empty()) {
                    const std::vector<std::string> names = memberWords(job.members, {}, unzipLiteral);
                    words->insert(words->end() - 2, names.begin(), names.end());
                }
        }
        break;
    case Family::SevenZip:
        if (!needs(format->unpackTools.front()))
            return plan;
        plan.stages = {sevenZipUnpack(job)};
        listing = Listing::SevenZip;
        break;
    case Family::Rar:
        // RARLAB's unrar where it is installed and can take the name as it
        // stands (it reads * and ? as patterns); libarchive's otherwise.
        // Chosen members go through libarchive, which can be told a name literally.
        if (installed(format->unpackTools.front().program) && job.archive.find_first_of("*?") == std::string::npos
            && job.members.empty()) {
            plan.stages = {rarUnpack(job)};
            listing = Listing::Unrar;
        } else if (job.encrypted) {
            plan.refusal = Refusal::NeedsUnrar;
            plan.missing = &format->unpackTools.front();
            return plan;
        } else {
            if (!needs(format->otherTools.front()))
                return plan;
            plan.stages = {bsdtarUnpack(job)};
            listing = Listing::Bsdtar;
            if (!job.members.empty())
                addMembers(plan.stages.back(), memberWords(job.members, {"--"}, bsdtarLiteral));
        }
        break;
    }
    // 7-Zip takes every name literally (-spd), after "--".
    if (listing == Listing::SevenZip && !job.members.empty())
        addMembers(plan.stages.back(), memberWords(job.members, {"--"}, nullptr));
    // The output folder is made when it is not there (its parents too, as
    // the umask says); the private folder in it is new and the owner's alone.
    plan.prepare = {stageOf("mkdir", {"mkdir", "-p", pathArgument(job.folder)}),
                    stageOf("mkdir", {"mkdir", "-m", "700", pathArgument(job.staging)})};
    if (!job.staging.empty())
        plan.foldCheck = caseVariant(job.staging);
    // unzip and bsdtar: the bytes of the files they write, against what
    // the whole archive unpacks to.
    if ((listing == Listing::Unzip || listing == Listing::Bsdtar) && job.members.empty())
        measured = job.memberBytes;
    if (measured)
        plan.tally.push_back("--bytes=" + std::to_string(*measured));
    if (listing == Listing::Unzip && job.entries && job.members.empty())
        plan.tally.insert(plan.tally.end(), {"-T", std::to_string(*job.entries)});
    plan.tally.insert(plan.tally.end(), {"-t", listingName(listing), "--unpack", "--archive=" + job.archive,
                                         "--folder=" + job.folder, "--staging=" + job.staging});
    if (!job.ownFolder.empty())
        plan.tally.push_back("--own-folder=" + job.ownFolder);
    if (!job.overwrite)
        plan.tally.push_back("--keep");
    if (!job.record.empty())
        plan.tally.push_back("--record=" + job.record);
    return plan;
}

} // namespace arkive
