#include "render/drawing_size.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>

#include "hosts/cad_entities.h"

namespace plovis {
namespace {

// The walk of model space shows nothing of blocks nested deeper than this.
constexpr int kDeepestNesting = 64;

class Counter {
  public:
    explicit Counter(const Drawing& drawing) : drawing_(drawing) {}

    // What the block shows when walked at `depth` (model space is 0), with the deepest nesting
    // below it.
    std::pair<double, int> count(const CadBlock& block, int depth) {
        const auto key = std::make_pair(&block, depth);
        if (const auto found = known_.find(key); found != known_.end()) return found->second;
        double n = 0;
        int deepest = 0;
        for (const auto& item : block.items()) {
            if (item->erased()) continue;
            const auto* ref = entityAs<CadBlockReference>(*item);
            if (!ref) {
                n += 1;
                continue;
            }
            const auto [inside, below] = reference(*ref, depth);
            n += inside;
            deepest = std::max(deepest, below);
            if (depth == 0) noteLargest(ref->name(), inside);
        }
        return known_[key] = {n, deepest};
    }

    const std::string& largest() const { return largest_; }

  private:
    std::pair<double, int> reference(const CadBlockReference& ref, int depth) {
        const double attributes = static_cast<double>(ref.attributes().size());
        const CadBlock* block = blockNamed(ref.name());
        if (!block || depth + 1 > kDeepestNesting) return {attributes, 0};
        const auto [inside, below] = count(*block, depth + 1);
        return {attributes + inside, depth > 0 ? below + 1 : below};
    }

    // Looked up once by each spelling: a drawing holds many references to few blocks.
    const CadBlock* blockNamed(const std::string& name) {
        if (const auto found = blocks_.find(name); found != blocks_.end()) return found->second;
        return blocks_[name] = drawing_.blocks().find(name);
    }

    void noteLargest(const std::string& name, double n) {
        double& total = byBlock_[name];
        total += n;
        if (total > largestCount_) {
            largestCount_ = total;
            largest_ = name;
        }
    }

    const Drawing& drawing_;
    std::map<std::pair<const CadBlock*, int>, std::pair<double, int>> known_;
    std::map<std::string, double> byBlock_;
    std::unordered_map<std::string, const CadBlock*> blocks_;
    double largestCount_ = -1;
    std::string largest_;
};

}  // namespace

DrawingSize drawingSize(const Drawing& drawing) {
    Counter counter(drawing);
    DrawingSize size;
    std::tie(size.entities, size.deepestNesting) = counter.count(drawing.modelSpace(), 0);
    size.largestBlock = counter.largest();
    return size;
}

void checkDrawingToRender(const Drawing& drawing, const std::string& file, bool bySheets,
                          const DrawingLimits& limits) {
    const std::size_t sheets = drawing.sheets().size();
    if (bySheets) {
        checkDrawingSize(DrawingTooLarge::Limit::Sheets, static_cast<double>(sheets), limits,
                         file + " with " + std::to_string(sheets) + " layouts");
    }
    const DrawingSize size = drawingSize(drawing);
    const std::string cause = size.largestBlock.empty()
                                  ? file + ": its model space"
                                  : file + ": block \"" + size.largestBlock +
                                        "\" opened up (blocks nested " +
                                        std::to_string(size.deepestNesting + 1) + " deep)";
    checkDrawingSize(DrawingTooLarge::Limit::Entities, size.entities, limits, cause);
}

}  // namespace plovis
