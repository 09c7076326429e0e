#include "timeline_picture.hpp"

#include "events/event_timeline.hpp"
#include "output_file.hpp"
#include "picture_files.hpp"

namespace astrodesk::cli {

namespace {

// A page wide enough for a year of Sun transits to keep their labels apart, in character
// cells of 8 pixels (the fixed-pitch font at 13 pixels).
constexpr double kPictureWidth = 1280.0;
constexpr int kPictureColumns = 160;

} // namespace

bool IsPictureFileName(const std::string& fileName) {
    const std::string extension = LowerCaseExtension(fileName);
    return extension == ".png" || extension == ".svg";
}

void WriteEventTimeline(const std::vector<Event>& events, const EventSearchOptions& search,
                        const std::string& title, const std::string& fileName) {
    const Timeline timeline = EventTimeline(events, search, title);
    RecordingOutputScreen output;
    output.Screen = TimelinePicture(timeline, kPictureWidth, kPictureColumns);
    WriteOutputPicture(output, 1.0, fileName);
}

} // namespace astrodesk::cli
