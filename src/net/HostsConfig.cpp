#include "net/HostsConfig.h"

#include "base/Errors.h"
#include "base/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

namespace {

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

std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw FileError("Cannot read the hosts file \"" + path.string() + "\": it is a folder.");
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw FileError("Cannot open the hosts file \"" + path.string() + "\": " + std::strerror(errno) + ".");
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        throw FileError("Cannot read the hosts file \"" + path.string() + "\".");
    return std::move(text).str();
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

HostsConfig HostsConfig::Load(const std::filesystem::path& path)
{
    HostsConfig config;
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error)
        return config;

    const std::string text = ReadWholeFile(path);
    std::string_view rest = text;
    if (rest.starts_with("\xEF\xBB\xBF"))
        rest.remove_prefix(3);  // a byte-order mark left by some editors

    enum class Section { Other, Hosts, CsvService } section = Section::Other;
    for (int lineNumber = 1; !rest.empty(); ++lineNumber) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = Trimmed(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);

        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string_view name = Trimmed(line.substr(1, line.size() - 2));
            section = EqualsIgnoringCase(name, "hosts")        ? Section::Hosts
                      : EqualsIgnoringCase(name, "csvService") ? Section::CsvService
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
        const std::optional<HostRole> role = RoleOfKey(key);
        if (role && !config.Set(*role, value))
            reject("not an http:// or https:// base address (scheme, host and optional port)");
    }
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
