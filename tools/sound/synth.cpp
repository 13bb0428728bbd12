#include "synth.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace synth {

void MixInto(Buffer& dst, const Buffer& src, int offset, double gain) {
    for (size_t i = 0; i < src.size(); ++i) {
        const size_t j = size_t(offset) + i;
        if (j < dst.size()) dst[j] += float(src[i] * gain);
    }
}

void Bell(Buffer& dst, double start, double hz, double length, double gain) {
    const int s0 = Samples(start), n = Samples(length);
    static const double ratio[] = {1.0, 2.0, 2.76, 4.07, 5.4};
    static const double amp[] = {1.0, 0.42, 0.22, 0.12, 0.06};
    static const double decay[] = {1.0, 0.55, 0.35, 0.22, 0.15};
    for (int i = 0; i < n && s0 + i < int(dst.size()); ++i) {
        const double t = double(i) / RATE;
        double v = 0;
        for (int k = 0; k < 5; ++k) v += amp[k] * std::sin(TAU * hz * ratio[k] * t) * Env(t, 0.004, length * 0.35 * decay[k]);
        const double tail = std::min(1.0, (n - i) / (0.02 * RATE));  // no click at the cut
        dst[size_t(s0 + i)] += float(v * gain * tail * 0.5);
    }
}

void Mallet(Buffer& dst, double start, double hz, double length, double gain) {
    const int s0 = Samples(start), n = Samples(length);
    for (int i = 0; i < n && s0 + i < int(dst.size()); ++i) {
        const double t = double(i) / RATE;
        const double v = std::sin(TAU * hz * t) * Env(t, 0.003, length * 0.3) +
                         0.35 * std::sin(TAU * hz * 3.93 * t) * Env(t, 0.002, 0.03) +
                         0.15 * std::sin(TAU * hz * 2.0 * t) * Env(t, 0.003, length * 0.15);
        const double tail = std::min(1.0, (n - i) / (0.02 * RATE));
        dst[size_t(s0 + i)] += float(v * gain * tail * 0.6);
    }
}

void Pluck(Buffer& dst, double start, double hz, double length, double gain, uint64_t seed) {
    Noise noise(seed);
    const int period = std::max(2, int(RATE / hz + 0.5));
    std::vector<double> line(static_cast<size_t>(period));
    LowPass soften(3000);
    for (double& v : line) v = soften(noise.Next());
    const int s0 = Samples(start), n = Samples(length);
    size_t pos = 0;
    for (int i = 0; i < n && s0 + i < int(dst.size()); ++i) {
        const size_t next = (pos + 1) % line.size();
        const double out = line[pos];
        line[pos] = 0.497 * (line[pos] + line[next]);
        pos = next;
        const double tail = std::min(1.0, (n - i) / (0.03 * RATE));
        const double attack = std::min(1.0, i / (0.002 * RATE));
        dst[size_t(s0 + i)] += float(out * gain * tail * attack);
    }
}

void Normalise(Buffer& b, double rms, double peakLimit) {
    const size_t window = size_t(0.05 * RATE);
    double best = 0, sum = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        sum += double(b[i]) * b[i];
        if (i >= window) sum -= double(b[i - window]) * b[i - window];
        best = std::max(best, sum);
    }
    const double current = std::sqrt(best / double(std::min(window, b.size())));
    if (current <= 0) return;
    double gain = rms / current;
    float peak = 0;
    for (float v : b) peak = std::max(peak, std::abs(v));
    gain = std::min(gain, peakLimit / peak);
    for (float& v : b) v = float(v * gain);
}

void Fade(Buffer& b, double inSeconds, double outSeconds) {
    const size_t in = std::min(b.size(), size_t(inSeconds * RATE)), out = std::min(b.size(), size_t(outSeconds * RATE));
    for (size_t i = 0; i < in; ++i) b[i] = float(b[i] * double(i) / double(in));
    for (size_t i = 0; i < out; ++i) b[b.size() - 1 - i] = float(b[b.size() - 1 - i] * double(i) / double(out));
}

namespace {
struct Comb {
    std::vector<double> line;
    size_t pos = 0;
    double feedback, damp, store = 0;
    Comb(int size, double fb, double d) : line(size_t(size)), feedback(fb), damp(d) {}
    double operator()(double x) {
        const double out = line[pos];
        store = out * (1 - damp) + store * damp;
        line[pos] = x + store * feedback;
        pos = (pos + 1) % line.size();
        return out;
    }
};
struct AllPass {
    std::vector<double> line;
    size_t pos = 0;
    explicit AllPass(int size) : line(size_t(size)) {}
    double operator()(double x) {
        const double buffered = line[pos];
        line[pos] = x + buffered * 0.5;
        pos = (pos + 1) % line.size();
        return buffered - x;
    }
};
}  // namespace

void Reverb(const Buffer& in, Buffer& left, Buffer& right, double wet, double roomSize) {
    static const int combSizes[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int allSizes[] = {556, 441, 341, 225};
    const double fb = 0.7 + 0.28 * roomSize;
    std::vector<Comb> combL, combR;
    std::vector<AllPass> allL, allR;
    for (int s : combSizes) combL.emplace_back(s, fb, 0.3), combR.emplace_back(s + 23, fb, 0.3);
    for (int s : allSizes) allL.emplace_back(s), allR.emplace_back(s + 23);
    left.assign(in.size(), 0);
    right.assign(in.size(), 0);
    for (size_t i = 0; i < in.size(); ++i) {
        const double x = in[i] * 0.015;
        double l = 0, r = 0;
        for (auto& c : combL) l += c(x);
        for (auto& c : combR) r += c(x);
        for (auto& a : allL) l = a(l);
        for (auto& a : allR) r = a(r);
        left[i] = float(in[i] * (1 - wet * 0.5) + l * wet);
        right[i] = float(in[i] * (1 - wet * 0.5) + r * wet);
    }
}

namespace {
void Put16(std::FILE* f, uint32_t v) { std::fputc(int(v & 255), f), std::fputc(int((v >> 8) & 255), f); }
void Put32(std::FILE* f, uint32_t v) { Put16(f, v & 0xffff), Put16(f, v >> 16); }
int16_t ToPcm(float v) { return int16_t(std::lround(std::clamp(double(v), -1.0, 1.0) * 32767.0)); }
}  // namespace

bool WriteWav(const std::string& path, const Buffer& mono) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const uint32_t bytes = uint32_t(mono.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    Put32(f, 36 + bytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    Put32(f, 16);
    Put16(f, 1);  // PCM
    Put16(f, 1);  // mono
    Put32(f, RATE);
    Put32(f, RATE * 2);
    Put16(f, 2);
    Put16(f, 16);
    std::fwrite("data", 1, 4, f);
    Put32(f, bytes);
    for (float v : mono) Put16(f, uint16_t(ToPcm(v)));
    return std::fclose(f) == 0;
}

bool WriteOgg(const std::string& path, const Buffer& samples, int channels, double quality) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, RATE, float(quality)) != 0) {
        std::fclose(f);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "ENCODER", "vellichorns content build");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 20240611);  // fixed serial: the same bytes every build
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page og;
    while (ogg_stream_flush(&os, &og)) {
        std::fwrite(og.header, 1, size_t(og.header_len), f);
        std::fwrite(og.body, 1, size_t(og.body_len), f);
    }
    const size_t frames = samples.size() / size_t(channels);
    const size_t chunk = 4096;
    bool eos = false;
    for (size_t done = 0; !eos;) {
        const size_t n = std::min(chunk, frames - done);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&vd, int(n));
            for (size_t i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c) buffer[c][i] = samples[(done + i) * size_t(channels) + size_t(c)];
            vorbis_analysis_wrote(&vd, int(n));
            done += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &og)) {
                    std::fwrite(og.header, 1, size_t(og.header_len), f);
                    std::fwrite(og.body, 1, size_t(og.body_len), f);
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
        if (n == 0) eos = true;
    }
    while (ogg_stream_flush(&os, &og)) {
        std::fwrite(og.header, 1, size_t(og.header_len), f);
        std::fwrite(og.body, 1, size_t(og.body_len), f);
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return std::fclose(f) == 0;
}

}  // namespace synth
