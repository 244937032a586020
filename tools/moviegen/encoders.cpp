#include "tools/moviegen/encoders.h"

#include <iostream>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

bool Fail(const std::string& what)
{
    std::cerr << what << "\n";
    return false;
}

// Sends a frame (null: the end) and writes every packet the encoder gives back.
bool Encode(AVCodecContext* codec, AVFormatContext* format, AVStream* stream, AVFrame* frame, AVPacket* packet)
{
    if (avcodec_send_frame(codec, frame) < 0)
        return Fail("the encoder refused a frame");
    for (;;) {
        int result = avcodec_receive_packet(codec, packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return true;
        if (result < 0)
            return Fail("the encoder failed");
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (av_interleaved_write_frame(format, packet) < 0)
            return Fail("a packet could not be written");
    }
}

// The container and one stream for the encoder, opened for writing.
bool OpenOutput(const std::string& path, const char* container, AVCodecContext* codec, AVFormatContext** format,
                AVStream** stream)
{
    if (avformat_alloc_output_context2(format, nullptr, container, path.c_str()) < 0 || !*format)
        return Fail(path + ": no " + container + " muxer");
    (*format)->flags |= AVFMT_FLAG_BITEXACT;
    *stream = avformat_new_stream(*format, nullptr);
    if (!*stream || avcodec_parameters_from_context((*stream)->codecpar, codec) < 0)
        return Fail(path + ": no stream");
    (*stream)->time_base = codec->time_base;
    if (avio_open(&(*format)->pb, path.c_str(), AVIO_FLAG_WRITE) < 0)
        return Fail(path + ": cannot write");
    AVDictionary* options = nullptr;
    av_dict_set(&options, "fflags", "+bitexact", 0);
    const bool written = avformat_write_header(*format, &options) >= 0;
    av_dict_free(&options);
    return written || Fail(path + ": cannot write the header");
}

void CloseOutput(AVFormatContext*& format)
{
    if (!format)
        return;
    if (format->pb)
        avio_closep(&format->pb);
    avformat_free_context(format);
    format = nullptr;
}

} // namespace

struct cMovieWriter::sImpl
{
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* scaler = nullptr;
    int64_t next = 0;

    ~sImpl()
    {
        sws_freeContext(scaler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        CloseOutput(format);
    }
};

cMovieWriter::cMovieWriter() : m(std::make_unique<sImpl>()) {}
cMovieWriter::~cMovieWriter() = default;

bool cMovieWriter::Open(const std::string& path, int width, int height, int framesPerSecond)
{
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (!encoder)
        return Fail("no MPEG-4 encoder");
    m->codec = avcodec_alloc_context3(encoder);
    m->codec->width = width;
    m->codec->height = height;
    m->codec->time_base = AVRational{1, framesPerSecond};
    m->codec->framerate = AVRational{framesPerSecond, 1};
    m->codec->pix_fmt = AV_PIX_FMT_YUV420P;
    m->codec->gop_size = framesPerSecond;
    m->codec->max_b_frames = 0;
    m->codec->flags |= AV_CODEC_FLAG_BITEXACT | AV_CODEC_FLAG_QSCALE;
    m->codec->global_quality = FF_QP2LAMBDA * 4;
    m->codec->thread_count = 1;
    if (avcodec_open2(m->codec, encoder, nullptr) < 0)
        return Fail("the MPEG-4 encoder does not start");
    if (!OpenOutput(path, "avi", m->codec, &m->format, &m->stream))
        return false;
    m->frame = av_frame_alloc();
    m->packet = av_packet_alloc();
    m->frame->format = AV_PIX_FMT_YUV420P;
    m->frame->width = width;
    m->frame->height = height;
    if (av_frame_get_buffer(m->frame, 0) < 0)
        return Fail("out of memory");
    m->scaler = sws_getContext(width, height, AV_PIX_FMT_BGRA, width, height, AV_PIX_FMT_YUV420P,
                               SWS_BILINEAR | SWS_BITEXACT | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    return m->scaler || Fail("no colour conversion");
}

bool cMovieWriter::AddFrame(cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    if (av_frame_make_writable(m->frame) < 0)
        return Fail("the frame cannot be written");
    const uint8_t* planes[1] = {cairo_image_surface_get_data(surface)};
    const int strides[1] = {cairo_image_surface_get_stride(surface)};
    sws_scale(m->scaler, planes, strides, 0, m->codec->height, m->frame->data, m->frame->linesize);
    m->frame->pts = m->next++;
    m->frame->quality = m->codec->global_quality;
    return Encode(m->codec, m->format, m->stream, m->frame, m->packet);
}

bool cMovieWriter::Close()
{
    const bool drained = Encode(m->codec, m->format, m->stream, nullptr, m->packet);
    const bool trailer = av_write_trailer(m->format) >= 0;
    CloseOutput(m->format);
    return drained && trailer;
}

bool WriteOggVorbis(const std::string& path, const std::vector<float>& samples, int sampleRate)
{
    const AVCodec* encoder = avcodec_find_encoder_by_name("libvorbis");
    if (!encoder)
        return Fail("no Vorbis encoder");
    AVCodecContext* codec = avcodec_alloc_context3(encoder);
    codec->sample_rate = sampleRate;
    codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
    av_channel_layout_default(&codec->ch_layout, 1);
    codec->time_base = AVRational{1, sampleRate};
    codec->flags |= AV_CODEC_FLAG_BITEXACT | AV_CODEC_FLAG_QSCALE;
    codec->global_quality = FF_QP2LAMBDA * 3;
    AVFormatContext* format = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    bool ok = avcodec_open2(codec, encoder, nullptr) >= 0 && OpenOutput(path, "ogg", codec, &format, &stream);
    const int frameSize = codec->frame_size > 0 ? codec->frame_size : 1024;
    for (size_t at = 0; ok && at < samples.size(); at += size_t(frameSize)) {
        const int count = int(std::min(samples.size() - at, size_t(frameSize)));
        frame->nb_samples = count;
        frame->format = AV_SAMPLE_FMT_FLTP;
        frame->sample_rate = sampleRate;
        av_channel_layout_default(&frame->ch_layout, 1);
        ok = av_frame_get_buffer(frame, 0) >= 0;
        if (!ok)
            break;
        auto* out = reinterpret_cast<float*>(frame->data[0]);
        for (int i = 0; i < count; ++i)
            out[i] = samples[at + size_t(i)];
        frame->pts = int64_t(at);
        ok = Encode(codec, format, stream, frame, packet);
        av_frame_unref(frame);
    }
    ok = ok && Encode(codec, format, stream, nullptr, packet);
    ok = ok && av_write_trailer(format) >= 0;
    CloseOutput(format);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    return ok || Fail(path + ": the music could not be written");
}
