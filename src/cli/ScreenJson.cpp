#include "cli/ScreenJson.h"

#include "analysis/SignalTitles.h"

using nlohmann::ordered_json;

namespace {

ordered_json RowToJson(const ScreenRow& row)
{
    ordered_json object{{"symbol", row.symbol}, {"file", row.location.path.string()}};
    if (row.failed()) {
        object["error"] = row.error;
        return object;
    }
    object["bars"] = row.bars;
    object["date"] = row.newestDate;
    object["close"] = row.lastClose;
    object["changePercent"] = row.changePercent ? ordered_json(*row.changePercent) : ordered_json(nullptr);
    object["buyTotal"] = row.buyTotal;
    object["sellTotal"] = row.sellTotal;
    ordered_json signals = ordered_json::object();
    for (std::size_t i = 0; i < row.signals.size(); ++i)
        signals[std::string(SignalTitles::kChartOrder[i].setName)] = {{"buy", row.signals[i].buy},
                                                                      {"sell", row.signals[i].sell}};
    object["signals"] = std::move(signals);
    return object;
}

}  // namespace

ordered_json ScreenRowsToJson(std::span<const ScreenRow> rows)
{
    ordered_json array = ordered_json::array();
    for (const ScreenRow& row : rows)
        array.push_back(RowToJson(row));
    return array;
}
