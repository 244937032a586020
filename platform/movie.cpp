#include "platform/movie.h"

#include <algorithm>

#include <SDL.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include "platform/texture.h"

struct cMovie::sImpl
{
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* decoded = nullptr;
    AVFrame* shown = nullptr; // the frame on screen; empty before the first
    SwsContext* scaler = nullptr;
    int stream = -1;
    double timeBase = 0;
    double frameDuration = 0.04;
    double shownAt = -1;      // its presentation time
    double nextAt = -1;       // the time of the decoded frame that waits for its turn
    bool pending = false;     // `decoded` holds a frame not yet shown
    bool inputEnded = false;  // every packet has gone to the decoder
    bool decoderEnded = false;
    bool fresh = false;       // the shown frame is not yet in the texture
    int frames = 0;

    SDL_Texture* texture = nullptr;
    SDL_Renderer* textureRenderer = nullptr;
    uint64_t textureGeneration = 0;

    ~sImpl()
    {
        ReleaseDeviceTexture(texture, textureGeneration);
        sws_freeContext(scaler);
        av_frame_free(&shown);
        av_frame_free(&decoded);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }

    double TimeOf(const AVFrame* frame) const
    {
        int64_t pts = frame->best_effort_timestamp;
        if (pts == AV_NOPTS_VALUE)
            return shownAt < 0 ? 0 : shownAt + frameDuration;
        return double(pts - (format->streams[stream]->start_time == AV_NOPTS_VALUE ? 0 : format->streams[stream]->start_time)) *
               timeBase;
    }

    // The next frame into `decoded`; false at the end of the stream.
    bool DecodeNext()
    {
        while (!decoderEnded) {
            int result = avcodec_receive_frame(codec, decoded);
            if (result == 0)
                return true;
            if (result == AVERROR_EOF) {
                decoderEnded = true;
                break;
            }
            if (result != AVERROR(EAGAIN)) {
                decoderEnded = true;
                break;
            }
            if (inputEnded) {
                decoderEnded = true;
                break;
            }
            // Feed the next packet of our stream, or the end of input.
            for (;;) {
                if (av_read_frame(format, packet) < 0) {
                    inputEnded = true;
                    avcodec_send_packet(codec, nullptr);
                    break;
                }
                const bool ours = packet->stream_index == stream;
                if (ours)
                    avcodec_send_packet(codec, packet); // a damaged packet is skipped
                av_packet_unref(packet);
                if (ours)
                    break;
            }
        }
        return false;
    }
};

cMovie::cMovie() : m(std::make_unique<sImpl>()) {}
cMovie::~cMovie() = default;

std::unique_ptr<cMovie> cMovie::Open(const std::filesystem::path& path, std::string* error)
{
    auto fail = [error](const std::string& why) {
        if (error)
            *error = why;
        return nullptr;
    };
    std::unique_ptr<cMovie> movie(new cMovie);
    sImpl& m = *movie->m;
    if (avformat_open_input(&m.format, path.string().c_str(), nullptr, nullptr) < 0)
        return fail("cannot open the file");
    if (avformat_find_stream_info(m.format, nullptr) < 0)
        return fail("no stream information");
    const AVCodec* decoder = nullptr;
    m.stream = av_find_best_stream(m.format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (m.stream < 0 || !decoder)
        return fail("no video stream that can be decoded");
    AVStream* stream = m.format->streams[m.stream];
    m.codec = avcodec_alloc_context3(decoder);
    if (!m.codec || avcodec_parameters_to_context(m.codec, stream->codecpar) < 0 ||
        avcodec_open2(m.codec, decoder, nullptr) < 0)
        return fail("the video decoder does not start");
    if (m.codec->width <= 0 || m.codec->height <= 0)
        return fail("the video has no size");
    m.timeBase = av_q2d(stream->time_base);
    AVRational rate = av_guess_frame_rate(m.format, stream, nullptr);
    if (rate.num > 0 && rate.den > 0)
        m.frameDuration = av_q2d(av_inv_q(rate));
    m.packet = av_packet_alloc();
    m.decoded = av_frame_alloc();
    m.shown = av_frame_alloc();
    if (!m.packet || !m.decoded || !m.shown)
        return fail("out of memory");
    // A movie must give at least one picture to count as playable.
    if (!m.DecodeNext())
        return fail("no frame can be decoded");
    m.pending = true;
    m.nextAt = m.TimeOf(m.decoded);
    return movie;
}

int cMovie::Width() const { return m->codec->width; }
int cMovie::Height() const { return m->codec->height; }
int cMovie::FramesDecoded() const { return m->frames; }

bool cMovie::AdvanceTo(double seconds)
{
    sImpl& s = *m;
    while (s.pending && (s.shownAt < 0 || s.nextAt <= seconds)) {
        av_frame_unref(s.shown);
        av_frame_move_ref(s.shown, s.decoded);
        s.shownAt = s.nextAt;
        s.fresh = true;
        ++s.frames;
        s.pending = s.DecodeNext();
        if (s.pending) {
            const double at = s.TimeOf(s.decoded);
            // Timestamps that go backwards would stall the movie: keep the frame rate.
            s.nextAt = at > s.shownAt ? at : s.shownAt + s.frameDuration;
        }
    }
    return s.pending || seconds < s.shownAt + s.frameDuration;
}

void cMovie::Draw(SDL_Renderer* renderer)
{
    sImpl& s = *m;
    if (!renderer || s.shownAt < 0)
        return;
    const uint64_t generation = RendererGenerationOf(renderer);
    if (s.texture && (renderer != s.textureRenderer || generation != s.textureGeneration)) {
        ReleaseDeviceTexture(s.texture, s.textureGeneration);
        s.texture = nullptr;
    }
    if (!s.texture) {
        s.texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, Width(), Height());
        if (!s.texture)
            return;
        s.textureRenderer = renderer;
        s.textureGeneration = generation;
        s.fresh = true;
    }
    if (s.fresh) {
        s.scaler = sws_getCachedContext(s.scaler, s.shown->width, s.shown->height, AVPixelFormat(s.shown->format),
                                        Width(), Height(), AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
        void* pixels = nullptr;
        int pitch = 0;
        if (s.scaler && SDL_LockTexture(s.texture, nullptr, &pixels, &pitch) == 0) {
            uint8_t* planes[4] = {static_cast<uint8_t*>(pixels), nullptr, nullptr, nullptr};
            int pitches[4] = {pitch, 0, 0, 0};
            sws_scale(s.scaler, s.shown->data, s.shown->linesize, 0, s.shown->height, planes, pitches);
            SDL_UnlockTexture(s.texture);
            s.fresh = false;
        }
    }
    // The picture fills the screen at its own proportions, as the menus' pictures do: a
    // stretch would draw it out of shape on a wide screen. What a wider screen has no room
    // for is cut off equally at the top and bottom (or at the sides of a narrower one).
    int outW = 0, outH = 0;
    SDL_RenderGetLogicalSize(renderer, &outW, &outH);
    if (outW <= 0 || outH <= 0)
        SDL_GetRendererOutputSize(renderer, &outW, &outH);
    SDL_Rect source{0, 0, Width(), Height()};
    if (outW > 0 && outH > 0) {
        const double scale = std::max(double(outW) / Width(), double(outH) / Height());
        source.w = std::min(Width(), int(outW / scale + 0.5));
        source.h = std::min(Height(), int(outH / scale + 0.5));
        source.x = (Width() - source.w) / 2;
        source.y = (Height() - source.h) / 2;
    }
    SDL_RenderCopy(renderer, s.texture, &source, nullptr);
}
