#pragma once
// Controls that only show something: pictures, texts, coloured areas, the
// connection caption and the battery indicator.

#include <array>
#include <string>
#include <vector>

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

class MPicture : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "MPicture";
    MPicture() : MControlFont(kClassName) {}
    // How the image is stretched, passed through as numbers.
    void SetShowMode(int horizontal, int vertical);
    std::array<int, 2> GetShowMode() const;
    // The fixed borders of a stretched image.
    void SetMiddleMode(int left, int top, int right, int bottom);
    std::array<int, 4> GetMiddleMode() const;

    // The part of the picture that lights up, given as an image of the
    // picture's size whose opaque pixels are the zone, and the colours it
    // shows, top to bottom (alpha is the brightness). No colours: the zone
    // is unlit. No image: the picture is drawn as it is.
    struct LightZone {
        std::u16string image;
        std::vector<Color> colours;
        bool operator==(const LightZone&) const = default;
    };
    void SetLightZone(LightZone zone);
    LightZone GetLightZone() const;

  private:
    std::array<int, 2> show_mode_{0, 0};
    std::array<int, 4> middle_mode_{0, 0, 0, 0};
    LightZone light_zone_;
};

class MText : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "MText";
    MText() : MControlFont(kClassName) {}
};

// A filled rectangle; its colour is ARGB (alpha 0 is transparent).
class CArea : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "CArea";
    CArea() : MControlFont(kClassName) {}
    void SetColor(Color color);
    Color GetColor() const;

  protected:
    explicit CArea(std::string_view class_name) : MControlFont(class_name) {}

  private:
    Color color_ = 0;
};

class CRoundArea : public CArea {
  public:
    static constexpr std::string_view kClassName = "CRoundArea";
    CRoundArea() : CArea(kClassName) {}
};

class CDeviceState : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "CDeviceState";
    CDeviceState() : MControlFont(kClassName) {}
};

// Draws its first value with the value icon and its second with the charging
// icon (ImageRole::kBatteryValue, kBatteryCharge).
class BatteryCtrl : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "BatteryCtrl";
    BatteryCtrl() : MControlFont(kClassName) {}
    void SetBatteryInfo(int value, int charge);
    int GetBatteryValue() const;
    int GetChargeValue() const;

  private:
    int value_ = 0;
    int charge_ = 0;
};

}  // namespace tessaly::DUI
