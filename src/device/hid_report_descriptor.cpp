#include "device/hid_report_descriptor.h"

#include <algorithm>

namespace tessaly {
namespace {

enum class ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

// Item tags of the HID class definition, as far as lengths and collections need.
constexpr uint8_t kTagInput = 0x8;
constexpr uint8_t kTagOutput = 0x9;
constexpr uint8_t kTagCollection = 0xA;
constexpr uint8_t kTagFeature = 0xB;
constexpr uint8_t kTagEndCollection = 0xC;
constexpr uint8_t kTagUsagePage = 0x0;
constexpr uint8_t kTagReportSize = 0x7;
constexpr uint8_t kTagReportId = 0x8;
constexpr uint8_t kTagReportCount = 0x9;
constexpr uint8_t kTagPush = 0xA;
constexpr uint8_t kTagPop = 0xB;
constexpr uint8_t kTagUsage = 0x0;
constexpr uint8_t kTagUsageMinimum = 0x1;
constexpr uint8_t kLongItemPrefix = 0xFE;

constexpr size_t kMaxGlobalStack = 8;
// Larger than any report a HID stack accepts; keeps the bit sums from overflowing.
constexpr uint64_t kMaxReportBits = 8 * 65534;

struct GlobalState {
    uint32_t usage_page = 0;
    uint32_t report_size = 0;
    uint32_t report_count = 0;
    uint8_t report_id = 0;
};

struct Item {
    ItemType type;
    uint8_t tag;
    uint32_t data;
    size_t size;
};

class Parser {
  public:
    explicit Parser(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::optional<ReportDescriptorInfo> Run() {
        while (pos_ < bytes_.size()) {
            auto item = NextItem();
            if (!item || !Apply(*item))
                return std::nullopt;
        }
        if (depth_ != 0 || !stack_.empty())
            return std::nullopt;
        Finish();
        return std::move(info_);
    }

  private:
    std::optional<Item> NextItem() {
        const uint8_t prefix = bytes_[pos_++];
        if (prefix == kLongItemPrefix) {
            // Long items carry vendor data only; skip them whole.
            if (bytes_.size() - pos_ < 2)
                return std::nullopt;
            const size_t size = bytes_[pos_];
            pos_ += 2;
            if (bytes_.size() - pos_ < size)
                return std::nullopt;
            pos_ += size;
            return Item{ItemType::kReserved, 0, 0, 0};
        }
        static constexpr size_t kSizes[] = {0, 1, 2, 4};
        const size_t size = kSizes[prefix & 0x3];
        if (bytes_.size() - pos_ < size)
            return std::nullopt;
        uint32_t data = 0;
        for (size_t i = 0; i < size; ++i)
            data |= static_cast<uint32_t>(bytes_[pos_ + i]) << (8 * i);
        pos_ += size;
        return Item{static_cast<ItemType>((prefix >> 2) & 0x3), static_cast<uint8_t>(prefix >> 4),
                    data, size};
    }

    bool Apply(const Item& item) {
        switch (item.type) {
            case ItemType::kMain:
                return ApplyMain(item);
            case ItemType::kGlobal:
                return ApplyGlobal(item);
            case ItemType::kLocal:
                ApplyLocal(item);
                return true;
            case ItemType::kReserved:
                return true;
        }
        return true;
    }

    bool ApplyMain(const Item& item) {
        switch (item.tag) {
            case kTagInput:
                AddBits(0);
                break;
            case kTagOutput:
                AddBits(1);
                break;
            case kTagFeature:
                AddBits(2);
                break;
            case kTagCollection:
                if (depth_ == 0)
                    info_.collections.push_back(CollectionUsage());
                ++depth_;
                break;
            case kTagEndCollection:
                if (depth_ == 0)
                    return false;
                --depth_;
                break;
            default:
                break;
        }
        // Local items apply to the next main item only.
        first_usage_.reset();
        return true;
    }

    bool ApplyGlobal(const Item& item) {
        switch (item.tag) {
            case kTagUsagePage:
                global_.usage_page = item.data;
                break;
            case kTagReportSize:
                global_.report_size = item.data;
                break;
            case kTagReportCount:
                global_.report_count = item.data;
                break;
            case kTagReportId:
                if (item.data == 0 || item.data > 0xFF)
                    return false;
                global_.report_id = static_cast<uint8_t>(item.data);
                info_.lengths.numbered = true;
                break;
            case kTagPush:
                if (stack_.size() == kMaxGlobalStack)
                    return false;
                stack_.push_back(global_);
                break;
            case kTagPop:
                if (stack_.empty())
                    return false;
                global_ = stack_.back();
                stack_.pop_back();
                break;
            default:
                break;
        }
        return true;
    }

    void ApplyLocal(const Item& item) {
        if (item.tag != kTagUsage && item.tag != kTagUsageMinimum)
            return;
        if (first_usage_)
            return;
        // A four-byte usage names its own page in the high half.
        if (item.size == 4) {
            first_usage_ = TopLevelCollection{static_cast<uint16_t>(item.data >> 16),
                                              static_cast<uint16_t>(item.data & 0xFFFF)};
        } else {
            first_usage_ = TopLevelCollection{static_cast<uint16_t>(global_.usage_page),
                                              static_cast<uint16_t>(item.data)};
        }
    }

    TopLevelCollection CollectionUsage() const {
        if (first_usage_)
            return *first_usage_;
        return TopLevelCollection{static_cast<uint16_t>(global_.usage_page), 0};
    }

    void AddBits(int kind) {
        uint64_t& bits = bits_[kind][global_.report_id];
        const uint64_t added = static_cast<uint64_t>(global_.report_size) * global_.report_count;
        bits = std::min(kMaxReportBits, bits + std::min(kMaxReportBits, added));
        declared_[kind][global_.report_id] = true;
    }

    void Finish() {
        ReportLengths& lengths = info_.lengths;
        size_t* longest[] = {&lengths.input, &lengths.output, &lengths.feature};
        for (int kind = 0; kind < 3; ++kind) {
            for (size_t id = 0; id < 256; ++id) {
                if (!declared_[kind][id])
                    continue;
                const size_t length = static_cast<size_t>((bits_[kind][id] + 7) / 8) + 1;
                *longest[kind] = std::max(*longest[kind], length);
                if (kind == 1)
                    lengths.output_by_id[id] = static_cast<uint16_t>(length);
            }
        }
    }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    int depth_ = 0;
    GlobalState global_;
    std::vector<GlobalState> stack_;
    std::optional<TopLevelCollection> first_usage_;
    uint64_t bits_[3][256] = {};
    bool declared_[3][256] = {};
    ReportDescriptorInfo info_;
};

}  // namespace

size_t ReportLengths::OutputLengthFor(uint8_t report_id) const {
    if (output_by_id[report_id] != 0)
        return output_by_id[report_id];
    return output;
}

std::optional<ReportDescriptorInfo> ParseReportDescriptor(std::span<const uint8_t> descriptor) {
    return Parser(descriptor).Run();
}

}  // namespace tessaly
