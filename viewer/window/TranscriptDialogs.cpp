#include "TranscriptDialogs.h"

#include <cstdlib>
#include <fstream>

std::unique_ptr<TranscriptDialogs> TranscriptDialogs::fromEnvironment() {
    const char* path = std::getenv("KELVOLOGVIEWER_DIALOG_TRANSCRIPT");
    if (!path || !*path) return nullptr;
    return std::make_unique<TranscriptDialogs>(path);
}

Answer TranscriptDialogs::message(std::string_view text, Buttons buttons, Icon,
                                  std::string_view title) {
    std::ofstream out(m_path, std::ios::binary | std::ios::app);
    out << "[" << title << "]\n" << text << "\n";
    return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
}

std::optional<std::string> TranscriptDialogs::input(std::string_view, std::string_view,
                                                    std::string_view) {
    return std::nullopt;
}
