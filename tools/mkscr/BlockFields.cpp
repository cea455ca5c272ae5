#include "tools/mkscr/BlockFields.h"

#include "data/MediaSettingData.h"
#include "data/ProjectData.h"

#define ZELT_FIELD(Block, Member) {#Member, offsetof(Block, Member), sizeof(Block::Member)}

const BlockLayout& ProjectBlockLayout()
{
    static const BlockLayout layout{"project", sizeof(PROJECT_DATA), {
        ZELT_FIELD(PROJECT_DATA, RunAsProgram),
        ZELT_FIELD(PROJECT_DATA, RandomPosition),
        ZELT_FIELD(PROJECT_DATA, ShuffleSlides),
        ZELT_FIELD(PROJECT_DATA, MediaDelay),
        ZELT_FIELD(PROJECT_DATA, LoopMusic),
        ZELT_FIELD(PROJECT_DATA, MusicGap),
        ZELT_FIELD(PROJECT_DATA, RandomMusic),
        ZELT_FIELD(PROJECT_DATA, ShowBanner),
        ZELT_FIELD(PROJECT_DATA, HasPublisher),
        ZELT_FIELD(PROJECT_DATA, EmbeddedMedia),
        ZELT_FIELD(PROJECT_DATA, EmbeddedMusic),
        ZELT_FIELD(PROJECT_DATA, BackgroundMode),
        ZELT_FIELD(PROJECT_DATA, FitMode),
        ZELT_FIELD(PROJECT_DATA, RelativePaths),
        ZELT_FIELD(PROJECT_DATA, HasPictures),
    }};
    return layout;
}

const BlockLayout& SlideBlockLayout()
{
    static const BlockLayout layout{"setting", sizeof(MEDIA_SETTING_DATA), {
        ZELT_FIELD(MEDIA_SETTING_DATA, DrawTransparent),
        ZELT_FIELD(MEDIA_SETTING_DATA, MusicOn),
        ZELT_FIELD(MEDIA_SETTING_DATA, TitleShown),
        ZELT_FIELD(MEDIA_SETTING_DATA, TitleCharset),
        ZELT_FIELD(MEDIA_SETTING_DATA, TitleColor),
        ZELT_FIELD(MEDIA_SETTING_DATA, TitleFontSize),
        ZELT_FIELD(MEDIA_SETTING_DATA, TitlePosition),
        ZELT_FIELD(MEDIA_SETTING_DATA, TitleX),
        ZELT_FIELD(MEDIA_SETTING_DATA, TitleY),
        ZELT_FIELD(MEDIA_SETTING_DATA, DescShown),
        ZELT_FIELD(MEDIA_SETTING_DATA, DescCharset),
        ZELT_FIELD(MEDIA_SETTING_DATA, DescColor),
        ZELT_FIELD(MEDIA_SETTING_DATA, DescFontSize),
        ZELT_FIELD(MEDIA_SETTING_DATA, DescPosition),
        ZELT_FIELD(MEDIA_SETTING_DATA, DescX),
        ZELT_FIELD(MEDIA_SETTING_DATA, DescY),
        ZELT_FIELD(MEDIA_SETTING_DATA, BackSolidAllowed),
        ZELT_FIELD(MEDIA_SETTING_DATA, BackPictureAllowed),
        ZELT_FIELD(MEDIA_SETTING_DATA, BackGradientAllowed),
        ZELT_FIELD(MEDIA_SETTING_DATA, SolidColor),
        ZELT_FIELD(MEDIA_SETTING_DATA, GradientFromColor),
        ZELT_FIELD(MEDIA_SETTING_DATA, GradientToColor),
        ZELT_FIELD(MEDIA_SETTING_DATA, EffectOn),
        ZELT_FIELD(MEDIA_SETTING_DATA, EffectRandom),
        ZELT_FIELD(MEDIA_SETTING_DATA, Step),
        ZELT_FIELD(MEDIA_SETTING_DATA, MediaType),
        ZELT_FIELD(MEDIA_SETTING_DATA, FlashBackColor),
        ZELT_FIELD(MEDIA_SETTING_DATA, FlashAlignMode),
        ZELT_FIELD(MEDIA_SETTING_DATA, FlashScaleMode),
        ZELT_FIELD(MEDIA_SETTING_DATA, VideoSizeMode),
        ZELT_FIELD(MEDIA_SETTING_DATA, BackFromDesktop),
        ZELT_FIELD(MEDIA_SETTING_DATA, BackFromProjectImage),
        ZELT_FIELD(MEDIA_SETTING_DATA, BackFromTable),
        ZELT_FIELD(MEDIA_SETTING_DATA, GradientFromPresets),
        ZELT_FIELD(MEDIA_SETTING_DATA, SolidFromPresets),
        ZELT_FIELD(MEDIA_SETTING_DATA, BackLayout),
        ZELT_FIELD(MEDIA_SETTING_DATA, TileCount),
        ZELT_FIELD(MEDIA_SETTING_DATA, RandomTiles),
        ZELT_FIELD(MEDIA_SETTING_DATA, FlashEndMode),
        ZELT_FIELD(MEDIA_SETTING_DATA, FlashEndFrame),
        ZELT_FIELD(MEDIA_SETTING_DATA, FlashSeconds),
        ZELT_FIELD(MEDIA_SETTING_DATA, FlashMouseMoves),
        ZELT_FIELD(MEDIA_SETTING_DATA, FlashMouseClicks),
    }};
    return layout;
}
