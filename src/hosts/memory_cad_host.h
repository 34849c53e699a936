#pragma once
// A CAD host holding its drawings in memory: what the command line draws into (then saves) and
// what tests attach to. Picks and typed answers come from a CadUtility given to it.

#include <filesystem>
#include <memory>
#include <vector>

#include "hosts/cad_host.h"

namespace plovis {

class MemoryCadHost : public CadHost {
  public:
    // running: whether attach() finds the host (false: the host must be started first).
    // reader: reads drawing files for block insertion and open(); none: files cannot be read.
    MemoryCadHost(CadUtility& utility, bool running = true, DrawingFileReader reader = {});

    void attach() override;
    void start() override;
    bool visible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    std::string caption() const override;
    int documentCount() const override { return static_cast<int>(documents_.size()); }
    Drawing& addDocument() override;
    Drawing& activeDocument() override;
    void update() override { ++updates_; }
    CadUtility& utility() override { return utility_; }

    // Opens a drawing file as a new document in front. HostError when it cannot be read.
    Drawing& open(const std::filesystem::path& file);
    // Adds a drawing made elsewhere and brings it to the front.
    Drawing& add(std::unique_ptr<Drawing> drawing);

    bool running() const { return running_; }
    bool started() const { return started_; }
    int updateCount() const { return updates_; }

  private:
    CadUtility& utility_;
    DrawingFileReader reader_;
    std::vector<std::unique_ptr<Drawing>> documents_;
    bool running_;
    bool started_ = false;
    bool visible_ = false;
    int updates_ = 0;
};

}  // namespace plovis
