#include "support/fixtures.h"

namespace zubk::testing {

std::string ParameterFile(std::string_view login, std::string_view password,
                          std::string_view database, std::string_view dbSystem) {
    std::string file;
    const std::string_view entries[][2] = {
        {"LOGIN", login}, {"PASS", password}, {"DATABASE", database}, {"DB_SYSTEM", dbSystem}};
    int number = 1;
    for (const auto& [key, value] : entries) {
        const std::string n = std::to_string(number++);
        file += n + ";MAIN;\r\n" + n + ";" + std::string(key) + ";" + std::string(value) + "\r\n";
    }
    return file;
}

std::string OptionalSetting(int number, std::string_view key, std::string_view value) {
    const std::string n = std::to_string(number);
    return n + ";MAIN;\r\n" + n + ";" + std::string(key) + ";" + std::string(value) + "\r\n";
}

std::string BookingRecordText(std::string_view date, std::string_view time, std::string_view lfd,
                              std::string_view les, std::string_view code,
                              std::string_view identifier) {
    std::string asw(identifier);
    asw.resize(13, ' ');
    return std::string(date) + std::string(time) + std::string(lfd) + std::string(les) +
           std::string(code.substr(0, 2)) + asw + std::string(code.substr(2, 1));
}

std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (const char c : bytes) {
        hex += kDigits[static_cast<unsigned char>(c) >> 4];
        hex += kDigits[static_cast<unsigned char>(c) & 0xF];
    }
    return hex;
}

std::size_t CountOccurrences(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace zubk::testing
