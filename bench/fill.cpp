// The machine's fill limit: the same pixels the sprites scene puts on screen, drawn by
// the barest OpenGL loop we can write. N rotated 16 x 16 quads of the bench picture at
// opacity 0.8, point-sampled and alpha-blended, sit in one static vertex buffer and are
// drawn with one call per frame; the CPU does nothing else.
//
//   velmora_fill PICTURE N FRAMES [--fbo] [--depth]
//   velmora_fill --renderer      prints the OpenGL renderer's name
//
// --fbo draws into an offscreen frame and copies it to the window, and --depth tests
// and writes a depth buffer, as the engine's device does; with neither, the figure is
// the limit. Prints "frames= seconds= fps=" like velmora --stats.
#include <SDL.h>
#include <SDL_image.h>
#include <epoxy/gl.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

struct Vertex {
    float x, y, u, v;
};

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aTexCoord;
out vec2 vTexCoord;
void main() {
    gl_Position = vec4(aPosition.x / 225.0 - 1.0, 1.0 - aPosition.y / 300.0, 0.0, 1.0);
    vTexCoord = aTexCoord;
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColour;
void main() {
    vec4 t = texture(uTexture, vTexCoord);
    fragColour = vec4(t.rgb, t.a * 0.8);
}
)";

GLuint Compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

int Fail(const std::string& why) {
    std::fprintf(stderr, "velmora_fill: %s\n", why.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool rendererOnly = argc == 2 && std::strcmp(argv[1], "--renderer") == 0;
    if (argc < 4 && !rendererOnly) {
        std::fprintf(stderr, "usage: velmora_fill PICTURE N FRAMES [--fbo] [--depth]\n");
        return 2;
    }
    const char* picture = argv[1];
    const int count = rendererOnly ? 0 : std::atoi(argv[2]);
    const int frames = rendererOnly ? 0 : std::atoi(argv[3]);
    bool offscreen = false;
    bool depth = false;
    for (int i = 4; i < argc; ++i) {
        offscreen = offscreen || std::strcmp(argv[i], "--fbo") == 0;
        depth = depth || std::strcmp(argv[i], "--depth") == 0;
    }
    const int width = 450;
    const int height = 600;

    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return Fail(SDL_GetError());
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    if (std::getenv("FILL_ALPHA"))
        SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_Window* window = SDL_CreateWindow("velmora fill", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, width, height, SDL_WINDOW_OPENGL);
    if (window == nullptr) {
        return Fail(SDL_GetError());
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        return Fail(SDL_GetError());
    }
    SDL_GL_SetSwapInterval(0);
    if (rendererOnly) {
        std::printf("%s, OpenGL %s\n", glGetString(GL_RENDERER), glGetString(GL_VERSION));
        return 0;
    }

    SDL_Surface* loaded = IMG_Load(picture);
    if (loaded == nullptr) {
        return Fail(std::string("cannot read ") + picture);
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(loaded);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rgba->pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, rgba->w, rgba->h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    const float half = static_cast<float>(rgba->w) * 0.5f;
    SDL_FreeSurface(rgba);

    const GLuint program = glCreateProgram();
    glAttachShader(program, Compile(GL_VERTEX_SHADER, kVertexShader));
    glAttachShader(program, Compile(GL_FRAGMENT_SHADER, kFragmentShader));
    glLinkProgram(program);
    glUseProgram(program);

    // Quads spread over the field as the bullets are, each turned its own way.
    std::mt19937 random(1);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<Vertex> vertices;
    std::vector<GLuint> indices;
    for (int i = 0; i < count; ++i) {
        const float cx = unit(random) * width;
        const float cy = unit(random) * height;
        const float angle = unit(random) * 6.2831853f;
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        const float corners[4][4] = {
            {-half, -half, 0, 0}, {half, -half, 1, 0}, {-half, half, 0, 1}, {half, half, 1, 1}};
        const GLuint base = static_cast<GLuint>(vertices.size());
        for (const auto& k : corners) {
            vertices.push_back({cx + k[0] * c - k[1] * s, cy + k[0] * s + k[1] * c, k[2], k[3]});
        }
        for (GLuint k : {0u, 1u, 2u, 2u, 1u, 3u}) {
            indices.push_back(base + k);
        }
    }
    GLuint vao = 0;
    GLuint buffers[2] = {0, 0};
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(2, buffers);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)),
                 vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                 indices.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<const void*>(2 * sizeof(float)));

    GLuint framebuffer = 0;
    if (offscreen) {
        GLuint colour = 0;
        GLuint depthBuffer = 0;
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        glGenRenderbuffers(1, &depthBuffer);
        glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  depthBuffer);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    if (depth) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, width, height);
    glClearColor(0.047f, 0.38f, 0.745f, 1.0f);

    auto frame = [&] {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT,
                       nullptr);
        if (offscreen) {
            glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
            glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                              GL_NEAREST);
        }
        SDL_GL_SwapWindow(window);
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
    };
    for (int i = 0; i < 10; ++i) {
        frame();
    }
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        frame();
    }
    glFinish();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("frames=%d seconds=%.3f fps=%.1f\n", frames, seconds,
                seconds > 0.0 ? frames / seconds : 0.0);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
