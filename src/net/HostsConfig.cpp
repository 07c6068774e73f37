#include "net/HostsConfig.h"

#include "base/BoundedFileRead.h"
#include "base/Text.h"
#include "base/TextFileCheck.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>

namespace {

// No address comes near this; a longer line is junk, not echoed in a warning.
constexpr std::size_t kMaxLineLength = 4096;
constexpr std::size_t kMaxListedLines = 10;

bool IsPort(std::string_view text)
{
    if (text.empty() || text.size() > 5)
        return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 65535;
}

std::string_view WithoutTrailingSlash(std::string_view base)
{
    if (!base.empty() && base.back() == '/')
        base.remove_suffix(1);
    return base;
}

std::optional<HostRole> RoleOfKey(std::string_view key)
{
    for (const HostRoleInfo& info : kHostRoles)
        if (EqualsIgnoringCase(info.key, key))
            return info.role;
    return std::nullopt;
}

// At most one byte more than a hosts file may hold, so a larger one shows.
std::string ReadHostsFile(const std::filesystem::path& path)
{
    std::string text(HostsConfig::kMaxFileSize + 1, '\0');
    text.resize(ReadFileBounded(path, "hosts file", text.data(), text.size(), text.size()));
    return text;
}

// Why the whole file is set aside; empty when its lines can be read. `text`
// is what was read, without a byte-order mark.
std::string FileProblem(std::size_t bytesRead, std::string_view text)
{
    if (bytesRead > HostsConfig::kMaxFileSize)
        return "is larger than " + std::to_string(HostsConfig::kMaxFileSize >> 20) +
               " MB, far more than a hosts file holds; check that it is the file meant";
    if (text.empty())
        return "is empty; write a [hosts] section of key=value lines in it or delete it";
    return UnreadableTextReason(text);
}

// A line holding control characters or too long for any address: binary
// junk, or text in an encoding that is not 8 bits a character.
bool IsReadableLine(std::string_view line)
{
    return line.size() <= kMaxLineLength && std::none_of(line.begin(), line.end(), [](char c) {
               const auto byte = static_cast<unsigned char>(c);
               return (byte < ' ' && c != '\t') || byte == 0x7F;
           });
}

// "lines 3, 7, 12" or "line 3", the first kMaxListedLines of them.
std::string LineNumbers(const std::vector<int>& lines)
{
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < lines.size() && i < kMaxListedLines; ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    if (lines.size() > kMaxListedLines)
        text += ", ...";
    return text;
}

}  // namespace

bool IsBaseAddress(std::string_view text)
{
    std::string_view rest;
    if (text.size() > 7 && EqualsIgnoringCase(text.substr(0, 7), "http://"))
        rest = text.substr(7);
    else if (text.size() > 8 && EqualsIgnoringCase(text.substr(0, 8), "https://"))
        rest = text.substr(8);
    else
        return false;

    const std::size_t colon = rest.find(':');
    const std::string_view host = rest.substr(0, colon);
    if (host.empty() || host.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-.") !=
                            std::string_view::npos)
        return false;
    return colon == std::string_view::npos || IsPort(rest.substr(colon + 1));
}

bool IsServiceUrl(std::string_view text)
{
    const std::size_t scheme = text.find("://");
    const std::size_t pathStart = scheme == std::string_view::npos ? scheme : text.find('/', scheme + 3);
    const std::string_view base = text.substr(0, pathStart);
    const std::string_view path = pathStart == std::string_view::npos ? std::string_view{} : text.substr(pathStart);
    const bool safe = std::none_of(path.begin(), path.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7F || c == '"' || c == '<' || c == '>' || c == '#' || c == '\\';
    });
    return IsBaseAddress(base) && safe;
}

HostsConfig::HostsConfig()
{
    for (const HostRoleInfo& info : kHostRoles)
        bases_[static_cast<std::size_t>(info.role)] = info.defaultBase;
}

const std::string& HostsConfig::Base(HostRole role) const
{
    return bases_[static_cast<std::size_t>(role)];
}

bool HostsConfig::Set(HostRole role, std::string_view base)
{
    base = WithoutTrailingSlash(base);
    if (!IsBaseAddress(base) && !(role == HostRole::ProductSite && base.empty()))
        return false;
    bases_[static_cast<std::size_t>(role)] = base;
    return true;
}

bool HostsConfig::SetCsvServiceUrl(std::string_view url)
{
    if (!IsServiceUrl(url))
        return false;
    csvServiceUrl_ = url;
    return true;
}

bool HostsConfig::SetCommandSeconds(std::string_view seconds)
{
    int value = 0;
    const auto [end, error] = std::from_chars(seconds.data(), seconds.data() + seconds.size(), value);
    if (error != std::errc{} || end != seconds.data() + seconds.size() || value < 1 || value > kMaxCommandTime.count())
        return false;
    commandTime_ = std::chrono::seconds(value);
    return true;
}

HostsConfig HostsConfig::Load(const std::filesystem::path& path)
{
    HostsConfig config;
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error)
        return config;

    const std::string text = ReadHostsFile(path);
    std::string_view rest = text;
    if (rest.starts_with("\xEF\xBB\xBF"))
        rest.remove_prefix(3);  // a byte-order mark left by some editors
    if (const std::string problem = FileProblem(text.size(), rest); !problem.empty()) {
        config.warnings_.push_back("The hosts file \"" + path.string() + "\" " + problem +
                                   ". The built-in hosts apply.");
        return config;
    }
    std::vector<int> unreadable;

    enum class Section { Other, Hosts, CsvService, Limits } section = Section::Other;
    for (int lineNumber = 1; !rest.empty(); ++lineNumber) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = Trimmed(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!IsReadableLine(line)) {
            unreadable.push_back(lineNumber);
            continue;
        }

        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string_view name = Trimmed(line.substr(1, line.size() - 2));
            section = EqualsIgnoringCase(name, "hosts")        ? Section::Hosts
                      : EqualsIgnoringCase(name, "csvService") ? Section::CsvService
                      : EqualsIgnoringCase(name, "limits")     ? Section::Limits
                                                               : Section::Other;
            continue;
        }
        if (section == Section::Other)
            continue;

        const auto reject = [&](std::string_view why) {
            config.warnings_.push_back(path.string() + ":" + std::to_string(lineNumber) + ": " + std::string(why) +
                                       "; \"" + std::string(line) + "\" is ignored.");
        };
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            reject("not a key=value line");
            continue;
        }
        const std::string_view key = Trimmed(line.substr(0, equals));
        const std::string_view value = Trimmed(line.substr(equals + 1));
        if (section == Section::CsvService) {
            if (EqualsIgnoringCase(key, "url") && !config.SetCsvServiceUrl(value))
                reject("not an http:// or https:// address without blanks, quotes, '<', '>' or '#'");
            continue;
        }
        if (section == Section::Limits) {
            if (EqualsIgnoringCase(key, "commandSeconds") && !config.SetCommandSeconds(value))
                reject("not a whole number of seconds from 1 to " + std::to_string(kMaxCommandTime.count()));
            continue;
        }
        const std::optional<HostRole> role = RoleOfKey(key);
        if (role && !config.Set(*role, value))
            reject("not an http:// or https:// base address (scheme, host and optional port)");
    }
    if (!unreadable.empty())
        config.warnings_.push_back(path.string() + ": " + LineNumbers(unreadable) +
                                   " cannot be read (control characters, or over " + std::to_string(kMaxLineLength) +
                                   " characters) and " + (unreadable.size() == 1 ? "is" : "are") + " ignored.");
    return config;
}

std::filesystem::path HostsConfig::DefaultPath()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path folder;
    if (configHome && std::filesystem::path(configHome).is_absolute()) {
        folder = configHome;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::filesystem::path(home ? home : "") / ".config";
    }
    return folder / "Tarnwick" / "hosts.ini";
}

bool HostsConfig::PointAllAt(std::string_view server)
{
    const std::string base = "http://" + std::string(server);
    if (!IsBaseAddress(base))
        return false;
    for (const HostRoleInfo& info : kHostRoles)
        Set(info.role, base);
    if (!csvServiceUrl_.empty()) {
        const std::size_t path = csvServiceUrl_.find('/', csvServiceUrl_.find("://") + 3);
        csvServiceUrl_ = base + (path == std::string::npos ? "" : csvServiceUrl_.substr(path));
    }
    return true;
}
