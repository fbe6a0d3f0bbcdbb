#include "cRegistry.h"

#include <array>
#include <utility>

namespace registry {

namespace {

// A file type is registered twice: in the merged view and in the machine's own classes.
const std::array<std::pair<std::uint32_t, std::string_view>, 2> kClassRoots{{
    {kClassesRoot, ""},
    {kLocalMachine, "SOFTWARE\\Classes\\"},
}};

std::string quotedPath(std::string_view path) {
    const auto first = path.find_first_not_of(" \t");
    const auto last = path.find_last_not_of(" \t");
    path = first == std::string_view::npos ? "" : path.substr(first, last - first + 1);
    if (path.starts_with('"')) return std::string(path);
    std::string quoted = "\"";
    quoted.append(path).push_back('"');
    return quoted;
}

std::string orDefault(const std::string& text, std::string fallback) {
    return text.empty() ? std::move(fallback) : text;
}

} // namespace

void cRegistry::setDefaultText(std::uint32_t root, const std::string& section,
                               const std::string& text) {
    ValueEx(root, section, "", kString, {}, text);
}

void cRegistry::addVerb(std::uint32_t root, const std::string& classKey, const std::string& verb,
                        const std::string& text, const std::string& command) {
    const auto shellKey = classKey + "\\shell\\" + verb;
    setDefaultText(root, shellKey, text);
    setDefaultText(root, shellKey + "\\command", command);
}

void cRegistry::CreateEXEAssociation(const ExeAssociation& a) {
    const auto exe = quotedPath(a.exePath);
    for (const auto& [root, prefix] : kClassRoots) {
        const auto classKey = std::string(prefix) + a.className;
        setDefaultText(root, std::string(prefix) + a.extension, a.className);
        setDefaultText(root, classKey, a.classDescription);
        addVerb(root, classKey, "open", orDefault(a.openText, "&Open"), exe + " \"%1\"");
        if (a.print)
            addVerb(root, classKey, "print", orDefault(a.printText, "&Print"), exe + " /p \"%1\"");
        if (a.install)
            addVerb(root, classKey, "add", orDefault(a.installText, "&Install " + a.extension),
                    exe + " /a \"%1\"");
        if (a.newFile)
            addVerb(root, classKey, "new", orDefault(a.newText, "&New"), exe + " /n \"%1\"");
        if (a.iconIndex >= 0)
            setDefaultText(root, classKey + "\\DefaultIcon",
                           exe + "," + std::to_string(a.iconIndex));
    }
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& className,
                                                const std::vector<std::string>& items) {
    if (items.size() % 3 != 0)
        raise(kErrorNumber, "Invalid parameter list passed to CreateAdditionalEXEAssociations - "
                            "expected Name/Text/Command");
    ClassKey(kClassesRoot);
    SectionKey(className);
    if (!KeyExists())
        raise(kErrorNumber,
              "Error - attempt to create additional associations before class defined.");
    for (std::size_t i = 0; i < items.size(); i += 3)
        for (const auto& [root, prefix] : kClassRoots)
            addVerb(root, std::string(prefix) + className, items[i], items[i + 1], items[i + 2]);
}

} // namespace registry
