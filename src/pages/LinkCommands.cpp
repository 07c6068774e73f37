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

std::optional<std::string> ProductHomeUrl(const HostsConfig& hosts)
{
    const std::string& base = hosts.Base(HostRole::ProductSite);
    if (base.empty())
        return std::nullopt;
    return base + std::string(kProductHomePath);
}
