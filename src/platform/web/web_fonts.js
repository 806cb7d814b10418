// The outline fonts the page ships (fonts/ beside the program), put into
// /fonts of the program's file system before the program starts
// (web_fonts.cpp offers them). A font that cannot be fetched is left out
// with a warning, and the program draws its text without it.
Module["preRun"] = [].concat(Module["preRun"] || [], function() {
  var fonts = ["DejaVuSans-Bold.ttf"];
  FS.mkdir("/fonts");
  addRunDependency("quellor-fonts");
  Promise.all(fonts.map(function(name) {
    return fetch(locateFile("fonts/" + name)).then(function(response) {
      if (!response.ok) throw new Error("HTTP " + response.status);
      return response.arrayBuffer();
    }).then(function(data) {
      FS.writeFile("/fonts/" + name, new Uint8Array(data));
    }).catch(function(error) {
      console.warn("Quellor: no font fonts/" + name + " (" + error.message + "); the score is drawn without it");
    });
  })).then(function() { removeRunDependency("quellor-fonts"); });
});
