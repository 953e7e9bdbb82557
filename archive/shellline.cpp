#include "shellline.h"

namespace arkive {

namespace {

bool isPlainWordChar(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '_': case '@': case '%': case '+': case '=': case ':': case ',':
    case '.': case '/': case '-':
        return true;
    default:
        return false;
    }
}

std::string statusRecord(const std::string& name)
{
    return "printf '\\0S" + name + " %d\\0' $? >&3";
}

std::string command(const Stage& stage, const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + shellWord(word);
    if (!stage.input.empty())
        text += " <" + shellWord(pathArgument(stage.input));
    if (!stage.output.empty())
        text += " >" + shellWord(pathArgument(stage.output));
    if (!stage.fd4.empty())
        text += " 4<" + shellWord(pathArgument(stage.fd4));
    if (stage.noInput)
        text += " </dev/null";
    if (stage.errorsInListing)
        text += " 2>&1";
    if (!stage.folder.empty())
        text = "cd " + shellWord(pathArgument(stage.folder)) + " && " + text;
    return text;
}

// The stage, with its other words where the output folder folds case.
std::string command(const Stage& stage, const std::string& foldCheck)
{
    if (foldCheck.empty() || stage.foldingWords.empty())
        return command(stage, stage.words);
    return "if [ -e " + shellWord(pathArgument(foldCheck)) + " ]; then " + command(stage, stage.foldingWords)
           + "; else " + command(stage, stage.words) + "; fi";
}

} // namespace

std::string shellWord(const std::string& word)
{
    bool plain = true;
    for (const char c : word)
        plain = plain && isPlainWordChar(static_cast<unsigned char>(c));
    if (plain)
        return word;
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string pathArgument(const std::string& path)
{
    // GNU tar takes an archive name with a colon and no slash before it
    // for HOST:FILE on another machine, reached through rsh.
    const auto colon = path.find(':');
    if ((!path.empty() && path.front() == '-')
        || (colon != std::string::npos && path.substr(0, colon).find('/') == std::string::npos))
        return "./" + path;
    return path;
}

std::string shellLine(const Plan& plan)
{
    if (plan.stages.empty())
        return std::string();
    std::string work;
    for (const Stage& stage : plan.stages)
        work += (work.empty() ? "{ " : " | { ") + command(stage, plan.foldCheck) + "; " + statusRecord(stage.name)
                + "; }";
    std::string prepare;
    for (const Stage& stage : plan.prepare)
        prepare += (prepare.empty() ? "" : " && ") + command(stage, stage.words);
    // A failed preparation reports under the name of the first one.
    if (!prepare.empty())
        work = "if " + prepare + "; then " + work + "; else " + statusRecord(plan.prepare.front().name) + "; fi";
    std::string tally;
    for (const std::string& word : plan.tally)
        tally += shellWord(word) + " ";
    return "{ { " + work + "; } 2>&1 >&3 | tally --relay >&3; } 3>&1 | tally " + tally + "--stages="
           + std::to_string(plan.stages.size()) + " &";
}

} // namespace arkive
