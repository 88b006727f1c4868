/* JavaScript Lumeroll runtime: draws a fading news box where its
   configuration script stands and shows the items one after the other.
   The configuration script calls, in this order:
     box = new awkmanbSPM();
     box.awkmaNBSPm(html);            once per item
     box.awkmbnbspm(delay, width, height, borderWidth, borderStyle,
                    borderColor, padding, background, zIndex, cursor);
   Plain script, no dependencies; the constructor is its only global. */
(function () {
  'use strict';

  var FADE_MS = 600;
  // Old keywords that browsers no longer know, turned into what they meant.
  var KEYWORDS = { hand: 'pointer', 'window-inset': 'inset', 'url(uri)': 'auto' };
  var STYLE_ID = 'lumeroll-style';
  var CSS =
    '.lumeroll-box{position:relative;box-sizing:content-box;overflow:hidden}' +
    '.lumeroll-items{position:relative;width:100%;height:100%}' +
    '.lumeroll-item{position:absolute;top:0;left:0;width:100%;height:100%}' +
    '.lumeroll-button{position:absolute;right:2px;bottom:2px;z-index:1;margin:0;padding:1px 6px;' +
    'font:12px sans-serif;opacity:0;cursor:pointer}' +
    '.lumeroll-box:hover .lumeroll-button,.lumeroll-button:focus{opacity:1}';

  function reducedMotion() {
    return !!(window.matchMedia && window.matchMedia('(prefers-reduced-motion: reduce)').matches);
  }

  function keyword(word) {
    return Object.prototype.hasOwnProperty.call(KEYWORDS, word) ? KEYWORDS[word] : word;
  }

  function addStyleOnce() {
    if (document.getElementById(STYLE_ID)) return;
    var style = document.createElement('style');
    style.id = STYLE_ID;
    style.textContent = CSS;
    (document.head || document.documentElement).appendChild(style);
  }

  // options.container: an element to append the box into (the editor's
  // preview) instead of placing it after the configuration script's tag.
  function awkmanbSPM(options) {
    // Called from the configuration script, so this is where the box goes.
    this.anchor = document.currentScript;
    this.container = (options && options.container) || null;
    this.html = [];
    this.items = [];
    this.listeners = [];
    this.shown = 0;
    this.held = -1;
    this.timer = null;
    this.userPaused = this.hovered = this.focused = false;
  }

  // Every listener goes through here so that destroy() can take it off again.
  awkmanbSPM.prototype.on = function (target, type, fn) {
    target.addEventListener(type, fn);
    this.listeners.push([target, type, fn]);
  };

  // Shows item index at once and keeps it until hold(-1), which lets the box
  // run again from that item after a full delay.
  awkmanbSPM.prototype.hold = function (index) {
    index = Math.floor(Number(index));
    this.held = index >= 0 ? index : -1;
    if (!this.box) return;
    if (this.held >= 0 && this.items.length) {
      this.stop();
      this.show(Math.min(this.held, this.items.length - 1), false);
    }
    this.update();
  };

  awkmanbSPM.prototype.destroy = function () {
    this.stop();
    for (var i = 0; i < this.listeners.length; i++) {
      var l = this.listeners[i];
      l[0].removeEventListener(l[1], l[2]);
    }
    this.listeners = [];
    if (this.box && this.box.parentNode) this.box.parentNode.removeChild(this.box);
    this.destroyed = true;
  };

  awkmanbSPM.prototype.awkmaNBSPm = function (html) {
    this.html.push(String(html));
  };

  awkmanbSPM.prototype.awkmbnbspm = function (delay, width, height, borderWidth, borderStyle,
                                              borderColor, padding, background, zIndex, cursor) {
    if (this.box || this.destroyed) return;
    // A nonsense delay would spin the fade; keep a short floor.
    this.delay = Number(delay) >= 0 ? Math.max(50, Number(delay)) : 1000;
    addStyleOnce();
    var box = this.box = document.createElement('div');
    box.className = 'lumeroll-box';
    box.setAttribute('role', 'region');
    box.setAttribute('aria-roledescription', 'news box');
    box.setAttribute('aria-label', 'News');
    var s = box.style;
    s.width = width + 'px';
    s.height = height + 'px';
    s.borderWidth = borderWidth + 'px';
    s.borderStyle = keyword(borderStyle);
    s.borderColor = borderColor;
    s.padding = padding + 'px';
    s.backgroundColor = background;
    s.zIndex = zIndex;
    s.cursor = keyword(cursor);

    this.list = document.createElement('div');
    this.list.className = 'lumeroll-items';
    box.appendChild(this.list);
    for (var i = 0; i < this.html.length; i++) this.items.push(this.makeItem(this.html[i], i));
    if (this.items.length > 1) box.appendChild(this.makeButton());
    this.place();
    this.show(this.held >= 0 && this.items.length ? Math.min(this.held, this.items.length - 1) : 0, false);
    this.listen();
    this.update();
  };

  awkmanbSPM.prototype.makeItem = function (html, index) {
    var item = document.createElement('div');
    item.className = 'lumeroll-item';
    item.innerHTML = html;
    item.setAttribute('role', 'group');
    var title = item.querySelector('a') || item;
    var name = (title.textContent || '').replace(/\s+/g, ' ').trim();
    item.setAttribute('aria-label', name || 'News item ' + (index + 1) + ' of ' + this.html.length);
    this.list.appendChild(item);
    return item;
  };

  awkmanbSPM.prototype.makeButton = function () {
    var self = this;
    var button = this.button = document.createElement('button');
    button.type = 'button';
    button.className = 'lumeroll-button';
    this.on(button, 'click', function () {
      self.userPaused = !self.userPaused;
      self.update();
    });
    return button;
  };

  // Right after the configuration script's tag; at the end of the body when
  // the script was not loaded by a tag of its own.
  awkmanbSPM.prototype.place = function () {
    var a = this.anchor;
    if (this.container) this.container.appendChild(this.box);
    else if (a && a.parentNode) a.parentNode.insertBefore(this.box, a.nextSibling);
    else (document.body || document.documentElement).appendChild(this.box);
  };

  awkmanbSPM.prototype.listen = function () {
    var self = this, box = this.box;
    this.on(box, 'mouseenter', function () { self.hovered = true; self.update(); });
    this.on(box, 'mouseleave', function () { self.hovered = false; self.update(); });
    this.on(box, 'focusin', function () { self.focused = true; self.update(); });
    this.on(box, 'focusout', function (e) {
      self.focused = !!(e.relatedTarget && box.contains(e.relatedTarget));
      self.update();
    });
    this.on(document, 'visibilitychange', function () { self.update(); });
  };

  // Only the shown item is seen, clickable, reachable by Tab and read out.
  awkmanbSPM.prototype.show = function (index, fade) {
    var ms = fade && !reducedMotion() ? Math.min(FADE_MS, this.delay / 2) : 0;
    for (var i = 0; i < this.items.length; i++) {
      var item = this.items[i], on = i === index, st = item.style;
      st.transition = on ? 'opacity ' + ms + 'ms' : 'opacity ' + ms + 'ms, visibility 0s ' + ms + 'ms';
      st.opacity = on ? '1' : '0';
      st.visibility = on ? 'visible' : 'hidden';
      st.pointerEvents = on ? '' : 'none';
      item.inert = !on;
      if (on) item.removeAttribute('aria-hidden');
      else item.setAttribute('aria-hidden', 'true');
    }
    this.shown = index;
    this.fadeMs = ms;
  };

  awkmanbSPM.prototype.running = function () {
    return this.items.length > 1 && this.held < 0 && !this.destroyed && !this.userPaused && !this.hovered && !this.focused && !document.hidden;
  };

  // Starts or stops the timer to match the state. A restart always holds the
  // shown item for the full delay, so nothing bursts after a pause.
  awkmanbSPM.prototype.update = function () {
    var run = this.running(), self = this;
    if (this.button) {
      this.button.hidden = this.held >= 0;
      var label = this.userPaused ? 'Play' : 'Pause';
      this.button.textContent = label;
      this.button.setAttribute('aria-label', label + ' news');
    }
    this.list.setAttribute('aria-live', run ? 'off' : 'polite');
    if (run && this.timer === null) {
      this.timer = setTimeout(function () { self.advance(); }, this.delay);
    } else if (!run) {
      this.stop();
    }
  };

  awkmanbSPM.prototype.stop = function () {
    if (this.timer !== null) clearTimeout(this.timer);
    this.timer = null;
  };

  awkmanbSPM.prototype.advance = function () {
    var self = this;
    this.show((this.shown + 1) % this.items.length, true);
    this.timer = setTimeout(function () { self.advance(); }, this.fadeMs + this.delay);
  };

  window.awkmanbSPM = awkmanbSPM;
})();
