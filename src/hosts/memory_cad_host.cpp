#include "hosts/memory_cad_host.h"

namespace plovis {

MemoryCadHost::MemoryCadHost(CadUtility& utility, bool running, DrawingFileReader reader)
    : utility_(utility), reader_(std::move(reader)), running_(running) {}

void MemoryCadHost::attach() {
    if (!running_) throw HostError("The drawing host is not running");
}

void MemoryCadHost::start() {
    running_ = true;
    if (documents_.empty()) addDocument();
    started_ = true;
}

std::string MemoryCadHost::caption() const {
    if (documents_.empty()) return "PLOVIS drawing";
    return "PLOVIS drawing - [" + documents_.back()->name() + "]";
}

Drawing& MemoryCadHost::addDocument() {
    const std::string name = "Drawing" + std::to_string(documents_.size() + 1) + ".dwg";
    return add(std::make_unique<Drawing>(name, reader_));
}

Drawing& MemoryCadHost::activeDocument() {
    if (documents_.empty()) throw HostError("No drawing is open in the drawing host");
    return *documents_.back();
}

Drawing& MemoryCadHost::open(const std::filesystem::path& file) {
    if (!reader_)
        throw HostError("This drawing host cannot read drawing files such as " + file.string());
    auto drawing = reader_(file);
    drawing->setFileReader(reader_);  // so the drawing can insert files in its turn
    return add(std::move(drawing));
}

Drawing& MemoryCadHost::add(std::unique_ptr<Drawing> drawing) {
    documents_.push_back(std::move(drawing));
    return *documents_.back();
}

}  // namespace plovis
