#include "pages/LinkCommands.h"

#include "net/SymbolPath.h"

const LinkCommand* FindLinkCommand(int id)
{
    for (const LinkCommand& link : kLinkCommands)
        if (link.id == id)
            return &link;
    return nullptr;
}

std::optional<std::string> LinkUrl(int commandId, std::string_view symbol, const HostsConfig& hosts)
{
    const LinkCommand* link = FindLinkCommand(commandId);
    if (!link || hosts.Base(link->role).empty())
        return std::nullopt;
    if (symbol.starts_with('.') && link->path.find(kInitialMark) != std::string_view::npos)
        return std::nullopt;

    return hosts.Base(link->role) + ExpandSymbolPath(link->path, symbol);
}

std::string NoProductSiteMessage(std::string_view wanted)
{
    return std::string(wanted) + " needs the program's web site: name it as productSite in the [hosts] section of "
           "the hosts file (" + HostsConfig::DefaultPath().string() + " unless --config names another).";
}

std::string LinkUnavailableReason(int commandId, std::string_view commandName, std::string_view symbol,
                                  const HostsConfig& hosts)
{
    const LinkCommand* link = FindLinkCommand(commandId);
    if (!link || LinkUrl(commandId, symbol, hosts))
        return {};
    const std::string name = "\"" + std::string(commandName) + "\"";
    if (hosts.Base(link->role).empty())
        return link->role == HostRole::ProductSite
                   ? NoProductSiteMessage(name)
                   : name + " needs an address: name its site as " +
                         std::string(kHostRoles[static_cast<std::size_t>(link->role)].key) +
                         " in the [hosts] section of the hosts file.";
    return name + " cannot open a page for a symbol starting with \".\": type the symbol without it.";
}

std::optional<std::string> ProductHomeUrl(const HostsConfig& hosts)
{
    const std::string& base = hosts.Base(HostRole::ProductSite);
    if (base.empty())
        return std::nullopt;
    return base + std::string(kProductHomePath);
}
