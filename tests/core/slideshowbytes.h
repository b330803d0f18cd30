// The bytes a slide-show project file must hold, written out line by line for the tests, so
// that any change to the writer's tables or line ends shows as a difference.
#pragma once

#include <string>
#include <vector>

namespace lumaro::slideshowbytes {

// The player settings, written out as a person reads them (LF here, CR LF in the file).
inline constexpr const char* kSettingsBeforeEffect = R"(
[Settings]
AntiAliasingType=atNone
AutoClose=False
AutoRepeat=True
AutoShuffle=False
BackgroundOnSlideVolumePercent=100
BackgroundVolumePercent=100
Captions=True
DenySuspension=False
DisplayLoadingProgressWindow=True
HideMouseCursor=False
Info=True
InfoTextTemplate=&fN
LeftMouseClickCommand=mcDefault
MonitorIndex=-1
OutputGUID=
PopupMenuCommands=[fcNext,fcPrev,fcFirstSlide,fcLastSlide,fcPause,fcGoto,fcCopy,fcSave,fcPrint,fcRotate,fcShowInfo,fcShowCaptions,fcMute,fcClose]
ReverseScrollDirection=False
RightMouseClickCommand=mcDefault
ShowStartScreen=False
ShowTimer=False
ShowToolbar=False
SlideShowType=stExecutable
SlideVolumePercent=100
SynchPropertiesTransitionPoints=
SynchPropertiesTransitionPointsAllocation=tpAuto
Synchronization=snNone
SynchWithSlidePlaylists=False
ToolbarCommands=[fcNext,fcPrev,fcFirstSlide,fcPause,fcClose]
ToolbarHorzPosition=hpCenter
ToolbarVertPosition=vpTop
TransparentLabels=False

[Settings\GlobalSlideProperties]
AutomaticAdvance=True
AutomaticMode=amInterval
BackgroundPropertiesBackgroundType=btColor
BackgroundPropertiesBkColor=0
BackgroundPropertiesGradientBeginColor=16711680
BackgroundPropertiesGradientEndColor=0
BackgroundPropertiesGradientFillStyle=gfHorz
BackgroundPropertiesPictureFileName=
BkColor=0
CaptionAlignment=taCenter
CaptionFontCharset=0
CaptionFontColor=65535
CaptionFontHeight=-15
CaptionFontName=Tahoma
CaptionFontPitch=fpDefault
CaptionFontSize=11
CaptionFontStyle=[fsBold]
CaptionHorzPosition=hpCenter
CaptionVertPosition=vpBottom
CenterImage=True
)";

inline constexpr const char* kSettingsBetween = R"(EffectPath=StdEffects.ZoomGroup.ZoomOut
EffectType=etRandom
FitImage=True
InfoTextFontCharset=0
InfoTextFontColor=16777215
InfoTextFontHeight=-15
InfoTextFontName=Tahoma
InfoTextFontPitch=fpDefault
InfoTextFontSize=11
InfoTextFontStyle=[fsBold]
)";

inline constexpr const char* kSettingsAfter = R"(ManualAdvance=True
Mode=smManual
MotionEffectPropertiesEndingPositionPanHorzPercent=0
MotionEffectPropertiesEndingPositionPanVertPercent=0
MotionEffectPropertiesEndingPositionZoomPercent=100
MotionEffectPropertiesStartingPositionPanHorzPercent=0
MotionEffectPropertiesStartingPositionPanVertPercent=0
MotionEffectPropertiesStartingPositionZoomPercent=100
MotionEffectPropertiesUseMotionEffect=False
PreTimer=False
StretchImage=False

[Settings\GlobalSlideProperties\DisabledEffects]
Count=18
Item0=StdEffects.SquareGroup.AppearingSquares
Item1=StdEffects.SpiralGroup.SpiralIn
Item2=StdEffects.SpiralGroup.SpiralOut
Item3=StdEffects.BlindsGroup.BlindsHorz
Item4=StdEffects.BlindsGroup.BlindsVert
Item5=StdEffects.CheckerboardGroup.CheckerboardAcross
Item6=StdEffects.CheckerboardGroup.CheckerboardDown
Item7=StdEffects.CheckerboardGroup.Mosaic
Item8=StdEffects.RadialGroup.ClockClockwise
Item9=StdEffects.RadialGroup.ClockCounterClockwise
Item10=StdEffects.RadialGroup.WheelClockwise
Item11=StdEffects.RadialGroup.WheelCounterClockwise
Item12=StdEffects.RibbonGroup.RibbonHorz
Item13=StdEffects.RibbonGroup.RibbonVert
Item14=StdEffects.BitmapMaskGroup.Twirl
Item15=StdEffects.BitmapMaskGroup.Wiper
Item16=StdEffects.ZoomGroup.FarToNear
Item17=StdEffects.ZoomGroup.NearToFar

[Settings\BackgroundSoundProperties]
AutoRepeat=False
AutoShuffle=False
PlaylistCollection.Count=0

[Settings\StartScreenProperties]
ActiveView=svFilmstrip
BkColor=-16777201
ButtonAlwaysBorder=False
ButtonFontCharset=1
ButtonFontColor=0
ButtonFontHeight=-11
ButtonFontName=Tahoma
ButtonFontPitch=fpDefault
ButtonFontSize=8
ButtonFontStyle=[fsBold]
CaptionFontCharset=1
CaptionFontColor=0
CaptionFontHeight=-11
CaptionFontName=Tahoma
CaptionFontPitch=fpDefault
CaptionFontSize=8
CaptionFontStyle=[]
FormLayoutPropertiesLayoutMode=lmFullscreen
FormLayoutPropertiesPercentHeight=70
FormLayoutPropertiesPercentWidth=70
FormLayoutPropertiesPixelHeight=440
FormLayoutPropertiesPixelWidth=620
FormLayoutPropertiesSizeUnit=suPercent
FormLayoutPropertiesWindowBorderStyle=wbDialog
FormLayoutPropertiesWindowCaption=
ThumbHeight=64
ThumbWidth=64

[Settings\FormLayoutProperties]
LayoutMode=lmFullscreen
PercentHeight=70
PercentWidth=70
PixelHeight=440
PixelWidth=620
SizeUnit=suPercent
WindowBorderStyle=wbDialog
WindowCaption=
)";

// LF line ends as CR LF.
inline std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The file for these slide lines (without their line ends) and durations.
inline std::string ProjectFile(const std::vector<std::string>& slides, const std::string& interval,
                               const std::string& effect) {
    std::string text = "[File]\r\nFormatVersion=2.6\r\n\r\n[Slides]\r\n";
    for (const std::string& slide : slides) text += slide + "\r\n";
    return text + WithCrLf(kSettingsBeforeEffect) + "EffectDuration=" + effect + "\r\n" +
           WithCrLf(kSettingsBetween) + "Interval=" + interval + "\r\n" + WithCrLf(kSettingsAfter);
}

}  // namespace lumaro::slideshowbytes
