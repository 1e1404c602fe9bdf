// What Lesson mode says at one stop of a run. Models write their captions with
// it, views draw it; neither needs the toolkit for it.
#pragma once

struct LessonCaption {
    // One to three lines split by '\n', Latin-1; nullptr: nothing to say.
    const char* text = nullptr;
    // The band runs along the top of the scene, else along its bottom: each
    // stage keeps clear the part of the scene it is about.
    bool top = false;
};
